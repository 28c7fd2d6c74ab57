#version 120
// Plain bump mapping: hands an eye-space tangent frame, the position and the
// texture coordinate on to the fragment stage. Kept as a reference shader; no
// pass of the program draws with it.

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 eyeTangent;
varying vec3 eyeBitangent;

void main() {
    // Tangent round the Y axis, or along X where the normal is almost +Y or -Y.
    // A degenerate (zero) normal gets a made-up one rather than NaN.
    float normalLength = length(gl_Normal);
    vec3 n = normalLength > 1e-6 ? gl_Normal / normalLength : vec3(0.0, 0.0, 1.0);
    vec3 axis = abs(n.y) < 0.99 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 t = normalize(cross(axis, n));

    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    eyeNormal = gl_NormalMatrix * n;
    eyeTangent = gl_NormalMatrix * t;
    eyeBitangent = gl_NormalMatrix * cross(n, t);
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
