#version 120
// Subsurface scattering of the anemone: a cheap translucency model. Each of
// the three lights reaches the eye both off the surface (diffuse) and through
// the body: light arriving from behind leaves towards the eye along the light
// direction bent by the normal, so the body glows where the eye looks into a
// light. The ambient-occlusion image darkens creases, where little light gets
// through; the height gradient colours the result.

uniform vec3 lightPosition[3];  // world space
uniform vec3 lightColor[3];
uniform vec3 cameraPosition;    // world space
uniform sampler2D depthMap;     // ambient occlusion, window-sized, stored upside down
uniform sampler2D colorTex;     // colour gradient, one pixel high, left end at height 0
uniform vec2 viewport;          // window size in pixels

uniform float power;       // how tightly the transmitted light gathers round the light direction
uniform float scale;       // strength of the transmitted light
uniform float distortion;  // how far the normal bends the transmitted light
uniform float ambient;     // light scattered inside the body that reaches every point
uniform float shininess;   // specular exponent
uniform float specScale;   // specular weight
uniform vec3 diffuse;      // diffuse colour
uniform float kC;          // light attenuation 1 / (kC + kL d + kQ d^2)
uniform float kL;
uniform float kQ;

// Share of "ambient" that reaches the surface, and the brightness of a light
// before attenuation: with the panel's defaults a light 100 units away
// lights the surface facing it about as much as the ambient light does.
const float kAmbientLevel = 0.25;
const float kLightIntensity = 3.0;

varying vec3 worldPosition;
varying vec3 worldNormal;
varying float height;

void main() {
    vec3 N = normalize(worldNormal);
    if (!gl_FrontFacing) {
        N = -N;
    }
    vec3 V = normalize(cameraPosition - worldPosition);
    vec3 albedo = texture2D(colorTex, vec2(clamp(height, 0.0, 1.0), 0.5)).rgb;
    // The occlusion image holds the view upside down: its first row is the
    // top of the window.
    vec2 screen = gl_FragCoord.xy / viewport;
    float occlusion = texture2D(depthMap, vec2(screen.x, 1.0 - screen.y)).r;

    // Light that reaches every point, scattered inside the body from all
    // sides; creases get less of it.
    vec3 lit = vec3(ambient * kAmbientLevel * occlusion);
    vec3 highlight = vec3(0.0);
    for (int i = 0; i < 3; ++i) {
        vec3 toLight = lightPosition[i] - worldPosition;
        float d = length(toLight);
        vec3 L = d > 1e-4 ? toLight / d : N;
        float attenuation = kLightIntensity / max(kC + kL * d + kQ * d * d, 1e-4);

        vec3 bent = L + N * distortion;
        float bentLength = length(bent);
        bent = bentLength > 1e-4 ? bent / bentLength : L;
        // Clamped away from 0: pow(0, 0) is undefined.
        float transmitted = pow(clamp(dot(V, -bent), 1e-6, 1.0), power) * scale;
        float lambert = max(dot(N, L), 0.0);
        lit += lightColor[i] * attenuation * (lambert + transmitted * occlusion);

        // L + V vanishes when the light sits exactly behind the point.
        vec3 halfway = L + V;
        float halfwayLength = length(halfway);
        float facing = halfwayLength > 1e-4 ? dot(N, halfway / halfwayLength) : 0.0;
        facing = clamp(facing, 1e-6, 1.0);
        highlight += lightColor[i] * attenuation * pow(facing, shininess) * step(0.0, dot(N, L));
    }
    gl_FragColor = vec4(albedo * diffuse * lit + specScale * highlight, 1.0);
}
