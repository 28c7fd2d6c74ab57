#version 120
// Normal-depth pre-pass: eye-space normal and distance along the view axis.

varying vec3 eyeNormal;
varying float eyeDepth;

void main() {
    eyeNormal = gl_NormalMatrix * gl_Normal;
    eyeDepth = -(gl_ModelViewMatrix * gl_Vertex).z;
    gl_Position = ftransform();
}
