#version 120
// Separable blur: one rectangle over the whole target.

void main() {
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
