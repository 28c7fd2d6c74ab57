#version 120
// Normal-depth pre-pass: rgb = eye-space normal * 0.5 + 0.5, a = depth as a
// fraction of the far plane. The packing stays within 0..1, so an 8-bit
// target holds it too; the clear colour (0, 0, 0, 1) reads as "nothing here,
// at the far plane".

uniform float farPlane;

varying vec3 eyeNormal;
varying float eyeDepth;

void main() {
    vec3 N = normalize(eyeNormal);
    if (!gl_FrontFacing) {
        N = -N;
    }
    gl_FragColor = vec4(N * 0.5 + 0.5, clamp(eyeDepth / farPlane, 0.0, 1.0));
}
