#include "panel/ParameterSet.h"

#include "panel/ColorGradientEditor.h"
#include "panel/ModelAccessors.h"

namespace thalorin {

void setupParams(reef::params::CallbackMenu& panel, const ParameterTargets& t) {
    AnemoneModel& m = *t.model;
    panel.addSeparator("", "");
    addFpsParam(panel, t.averageFps);
    panel.addSeparator("", "");
    addGeometryParam(panel, m, "r", &AnemoneModel::topRadius, "min=0 step=5");
    addGeometryParam(panel, m, "R", &AnemoneModel::bottomRadius, "min=0.1 step=5");
    addGeometryParam(panel, m, "H", &AnemoneModel::bodyHeight, "min=0.1 step=10");
    panel.addSeparator("", "");
    addGeometryParam(panel, m, "middle R", &AnemoneModel::middleRadius, "min=0.1 step=5");
    addGeometryParam(panel, m, "middle R H", &AnemoneModel::middleHeight,
                     "min=0.0 max=1.0 step=0.1");
    addGeometryParam(panel, m, "vertical scale", &AnemoneModel::capScale,
                     "min=0.0 max=1.0 step=0.05");
    panel.addSeparator("", "");
    addGeometryParam(panel, m, "Radial segments", &AnemoneModel::radialSegments, "min=1 step=10");
    addGeometryParam(panel, m, "Height segments", &AnemoneModel::heightSegments, "min=1 step=10");
    panel.addSeparator("", "");
    addGeometryParam(panel, m, "sole clamp", &AnemoneModel::soleClamp, "min=0.0 max=1.0 step=0.1");
    addGeometryParam(panel, m, "wave size", &AnemoneModel::waveSize, "min=0 step=0.02");
    addGeometryParam(panel, m, "num waves", &AnemoneModel::numWaves, "min=0 max=20 step=1");
    panel.addSeparator("", "");
    addGeometryParam(panel, m, "Bend Angle", &AnemoneModel::bendAngle, "min=0. max=180. step=1.");
    addGeometryParam(panel, m, "Bend Axis", &AnemoneModel::bendAxis, "opened=1");
    panel.addSeparator("", "");
    addGeometryParam(panel, m, "Hair in line", &AnemoneModel::hairInLine, "min=0 step=1");
    addGeometryParam(panel, m, "Number of lines", &AnemoneModel::numberOfLines,
                     "min=0 max=20 step=1");
    addGeometryParam(panel, m, "hair R", &AnemoneModel::hairRadius, "min=0.1 step=1");
    addGeometryParam(panel, m, "hair H", &AnemoneModel::hairHeight, "min=0.1 step=1");
    addGeometryParam(panel, m, "hair cylindrical", &AnemoneModel::hairCylindrical, "");
    panel.addSeparator("", "");
    panel.addParam("texture alpha", t.textureAlpha, "min=0.01 max=1.0 step=0.05");
    panel.addParam("view texture", t.viewTexture, "");
    panel.addParam("bump mapping", t.bumpMapping, "");
    panel.addParam("normal map", *t.normalMapNames, t.normalMapSelection, "");
    panel.addSeparator("", "");
    panel.addParam("view depth texture", t.viewDepthTexture, "");
    panel.addParam("view normal depth", t.viewNormalDepth, "");
    panel.addParam("SSAO darkness", t.ssaoDarkness, "min=0.0 max=1.0 step=0.1");
    panel.addParam("SSAO totStrength", t.ssaoTotStrength, "min=0.0 max=1.0 step=0.01");
    panel.addParam("SSAO strength", t.ssaoStrength, "min=0.0 max=1.0 step=0.1");
    panel.addParam("SSAO offset", t.ssaoOffset, "min=0.0 max=1.0 step=0.001");
    panel.addParam("SSAO falloff", t.ssaoFalloff, "min=0.0 max=1.0 step=0.1");
    panel.addParam("SSAO rad", t.ssaoRad, "min=0.0 max=1.0 step=0.01");
    panel.addSeparator("", "");
    panel.addParam("use SSS", t.useSss, "");
    panel.addParam("Power", t.sssPower, "min=0.0 step=1.0");
    panel.addParam("Scale", t.sssScale, "min=0.0 step=1.0");
    panel.addParam("Disortion", t.sssDistortion, "min=0.0 max=1.0 step=0.005");
    panel.addParam("Ambient", t.sssAmbient, "min=0.0 step=0.5");
    panel.addParam("Shininess", t.sssShininess, "min=0.0 step=10.0");
    panel.addParam("Diffuse", t.sssDiffuse, "");
    panel.addParam("KC", t.kC, "min=0.0 max=1.0 step=0.1");
    panel.addParam("KL", t.kL, "min=0.0 max=1.0 step=0.05");
    panel.addParam("KQ", t.kQ, "min=0.0 max=1.0 step=0.0001");
    panel.addParam("Spec scale", t.specScale, "min=0.0 max=30.0 step=0.1");
    panel.addSeparator("", "");
    panel.addParam("view triangles", &m.viewTriangles, "");
    panel.addParam("view normals", &m.viewNormals, "");
    panel.addParam("view model", &m.viewModel, "");
    panel.addParam("view hair", &m.viewHair, "");
    panel.addParam("view capsules", t.viewCapsules, "");
    panel.addParam("view bloom", t.viewBloom, "");
    panel.addParam("animation", t.animation, "");
    panel.addParam("normals lengths", &m.normalsLength, "min=1 step=2");
    panel.addSeparator("", "");
    panel.addButton("Add color", t.addColor, "");
    panel.addButton("Remove color", t.removeColor, "");
    ColorGradientEditor(panel, m).addStopEntries();
}

}  // namespace thalorin
