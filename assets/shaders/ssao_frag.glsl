#version 120
// Screen-space ambient occlusion from the normal-depth image. Around each
// pixel a fixed set of sample offsets, reflected by a random vector from
// "rnm" so that neighbouring pixels sample differently, looks for nearer
// surfaces that face another way: in creases and behind overhangs many do.
// Writes 1 where nothing occludes, darker where something does; the image
// keeps the orientation of the texture coordinates it is drawn with.

uniform sampler2D normalMap;  // rgb = eye normal * 0.5 + 0.5, a = depth / far plane (1: nothing)
uniform sampler2D rnm;        // random unit vectors, rgb = vector * 0.5 + 0.5, repeat-wrapped

uniform float totStrength;    // weight of the summed occlusion
uniform float strength;       // depth difference (fraction of the far plane) at which an occluder stops counting
uniform float offset;         // depth difference below which a sample does not occlude (no self-shadowing)
uniform float falloff;        // depth difference at which an occluder starts to count less
uniform float rad;            // sampling radius, in texture units at a depth of 1
uniform float finalStrength;  // darkness of a fully occluded pixel

const int kSamples = 16;
// Random-vector tiles across the image: about one texel per pixel of a
// window-sized image with a 64 x 64 noise texture.
const vec2 kNoiseRepeat = vec2(14.0, 11.0);

// Points in the unit sphere, shorter ones first so that near samples dominate.
const vec3 kSphere[kSamples] = vec3[kSamples](
    vec3(0.14, 0.07, 0.12), vec3(-0.15, 0.11, 0.09), vec3(0.10, -0.18, 0.05),
    vec3(-0.08, -0.13, 0.20), vec3(0.31, 0.10, -0.17), vec3(-0.27, 0.24, 0.13),
    vec3(0.22, -0.30, 0.21), vec3(-0.35, -0.19, -0.14), vec3(0.46, 0.29, 0.20),
    vec3(-0.38, 0.45, -0.24), vec3(0.29, -0.52, -0.18), vec3(-0.55, -0.33, 0.27),
    vec3(0.71, 0.16, -0.30), vec3(-0.20, 0.74, 0.32), vec3(0.35, -0.66, 0.41),
    vec3(-0.78, -0.21, -0.40));

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec4 centre = texture2D(normalMap, uv);
    float depth = centre.a;
    // No surface here (depth 1): no samples, and the pixel stays white. The
    // loop's bound skips them rather than a return before a constant-bound
    // loop: that loop is unrolled, and a SIMD rasteriser then runs all its
    // samples for a block of background pixels, only masked.
    int samples = depth < 1.0 ? kSamples : 0;
    vec3 normal = normalize(centre.rgb * 2.0 - 1.0);
    vec3 random = texture2D(rnm, uv * kNoiseRepeat).rgb * 2.0 - 1.0;
    random = length(random) > 1e-3 ? normalize(random) : vec3(0.0, 0.0, 1.0);

    // Nearer surfaces cover more of the image: scale the radius with 1 / depth.
    float radius = rad / max(depth, 1e-3);
    // smoothstep needs its edges in order.
    float fadeEnd = max(strength, falloff + 1e-5);
    float occlusion = 0.0;
    for (int i = 0; i < samples; ++i) {
        vec3 ray = radius * reflect(kSphere[i], random);
        // Keep the sample on the side the surface faces.
        vec2 sampleUv = uv + sign(dot(ray, normal)) * ray.xy;
        vec4 occluder = texture2D(normalMap, sampleUv);
        float nearer = depth - occluder.a;
        // Surfaces facing the same way (a flat wall) do not occlude each other.
        float facing = 1.0 - dot(normalize(occluder.rgb * 2.0 - 1.0), normal);
        occlusion += step(offset, nearer) * facing * (1.0 - smoothstep(falloff, fadeEnd, nearer));
    }
    float occluded = clamp(totStrength * 8.0 * occlusion / float(kSamples), 0.0, 1.0);
    gl_FragColor = vec4(vec3(1.0 - finalStrength * occluded), 1.0);
}
