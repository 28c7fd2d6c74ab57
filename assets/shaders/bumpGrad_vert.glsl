#version 120
// Bump-mapped gradient shading of the anemone: hands an eye-space tangent
// frame, the position, the height and the texture coordinate on to the
// fragment stage.

attribute float in_height;  // 0 at the sole, 1 at the tentacle tips

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 eyeTangent;
varying vec3 eyeBitangent;
varying float height;

void main() {
    // A degenerate (zero) normal gets a made-up one rather than NaN.
    float normalLength = length(gl_Normal);
    vec3 n = normalLength > 1e-6 ? gl_Normal / normalLength : vec3(0.0, 0.0, 1.0);
    // The body turns about +Y: the tangent runs round it. Near the top of the
    // dome, where the normal is almost +Y, it runs along X instead, so the
    // bump pattern turns on a small circle round the very top.
    vec3 axis = abs(n.y) < 0.99 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 t = normalize(cross(axis, n));
    vec3 b = cross(n, t);

    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    eyeNormal = gl_NormalMatrix * n;
    eyeTangent = gl_NormalMatrix * t;
    eyeBitangent = gl_NormalMatrix * b;
    height = in_height;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
