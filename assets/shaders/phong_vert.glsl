#version 120
// Phong shading of the anemone: hands the eye-space position and normal, the
// height and the texture coordinate on to the fragment stage.

attribute float in_height;  // 0 at the sole, 1 at the tentacle tips

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying float height;

void main() {
    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    eyeNormal = gl_NormalMatrix * gl_Normal;
    height = in_height;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    // ftransform keeps depths identical to the other passes over the same mesh.
    gl_Position = ftransform();
}
