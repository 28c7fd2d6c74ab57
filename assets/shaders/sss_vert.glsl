#version 120
// Subsurface scattering of the anemone: hands the world-space position and
// normal (the model has no transform of its own) and the height on.

attribute float in_height;  // 0 at the sole, 1 at the tentacle tips

varying vec3 worldPosition;
varying vec3 worldNormal;
varying float height;

void main() {
    worldPosition = gl_Vertex.xyz;
    worldNormal = gl_Normal;
    height = in_height;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
