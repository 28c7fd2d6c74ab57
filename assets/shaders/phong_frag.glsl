#version 120
// Phong shading of the anemone: colour from the height gradient, mottled by
// the noise texture, lit softly by the first numLights fixed-function lights
// with the front material.

uniform sampler2D tex0;  // fractal noise, luminance, repeat-wrapped
uniform sampler2D tex1;  // colour gradient, one pixel high, left end at height 0
uniform float texAlpha;  // how strongly the noise mottles the colour, 0..1
uniform int numLights;

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying float height;

const vec2 kNoiseRepeat = vec2(4.0, 2.0);
const int kMaxLights = 8;  // gl_MaxLights is at least 8
// Share of the diffuse light that wraps round past the terminator.
const float kWrap = 0.5;
const float kDiffuseGain = 1.6;

vec3 baseColor() {
    vec3 gradient = texture2D(tex1, vec2(clamp(height, 0.0, 1.0), 0.5)).rgb;
    float noise = texture2D(tex0, gl_TexCoord[0].st * kNoiseRepeat).r;
    // The noise averages about 0.5, so the mottling keeps the mean brightness.
    return gradient * mix(1.0, 0.5 + noise, texAlpha);
}

// Soft fill, so that the side turned away from light 0 still shows its
// gradient colours: a sky-to-ground hemisphere about eye-space up, plus a
// light from the viewer.
const float kSkyFill = 0.45;
const float kGroundFill = 0.12;
const float kHeadlight = 0.35;

vec3 fillLight(vec3 N, vec3 V) {
    float sky = mix(kGroundFill, kSkyFill, 0.5 + 0.5 * N.y);
    return vec3(sky + kHeadlight * max(dot(N, V), 0.0));
}

// Unit vector halfway between the light and eye directions; zero (no
// highlight) where they are opposite and the sum vanishes.
vec3 halfwayVector(vec3 L, vec3 V) {
    vec3 halfway = L + V;
    float len = length(halfway);
    return len > 1e-4 ? halfway / len : vec3(0.0);
}

void main() {
    vec3 N = normalize(eyeNormal);
    if (!gl_FrontFacing) {
        N = -N;
    }
    vec3 V = normalize(-eyePosition);
    vec3 albedo = baseColor();

    vec3 light = gl_FrontLightModelProduct.sceneColor.rgb + fillLight(N, V);
    vec3 highlight = vec3(0.0);
    for (int i = 0; i < kMaxLights; ++i) {
        if (i >= numLights) {
            break;
        }
        // w = 0 is a directional light, w = 1 a point light. The light's
        // attenuation is not applied: the application's light keeps the
        // fixed-function terms (1, 1, 1), which at model distances leave
        // nothing.
        vec4 position = gl_LightSource[i].position;
        vec3 toLight = position.xyz - eyePosition * position.w;
        vec3 L = toLight / max(length(toLight), 1e-4);
        float wrapped = max((dot(N, L) + kWrap) / (1.0 + kWrap), 0.0);
        light += gl_FrontLightProduct[i].ambient.rgb +
                 kDiffuseGain * gl_FrontLightProduct[i].diffuse.rgb * wrapped;
        // pow(0, 0) is undefined: a shininess of 0 means no highlight.
        if (gl_FrontMaterial.shininess > 0.0 && dot(N, L) > 0.0) {
            float specular = pow(max(dot(N, halfwayVector(L, V)), 0.0), gl_FrontMaterial.shininess);
            highlight += gl_FrontLightProduct[i].specular.rgb * specular;
        }
    }
    gl_FragColor = vec4(albedo * light + highlight, 1.0);
}
