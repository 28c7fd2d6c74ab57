#version 120
// Screen-space ambient occlusion: one rectangle over the whole target.

void main() {
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
