#version 120
// Separable blur: a nine-tap binomial kernel (close to a Gaussian) along
// sampleOffset; two passes, across then down, blur in both directions.

uniform sampler2D tex0;     // the image to blur
uniform vec2 sampleOffset;  // distance between neighbouring taps, in texture units

void main() {
    vec2 uv = gl_TexCoord[0].st;
    // Binomial weights 1 8 28 56 70 56 28 8 1, over 256.
    vec4 sum = texture2D(tex0, uv) * (70.0 / 256.0);
    sum += (texture2D(tex0, uv - sampleOffset) + texture2D(tex0, uv + sampleOffset)) * (56.0 / 256.0);
    sum += (texture2D(tex0, uv - 2.0 * sampleOffset) + texture2D(tex0, uv + 2.0 * sampleOffset)) *
           (28.0 / 256.0);
    sum += (texture2D(tex0, uv - 3.0 * sampleOffset) + texture2D(tex0, uv + 3.0 * sampleOffset)) *
           (8.0 / 256.0);
    sum += (texture2D(tex0, uv - 4.0 * sampleOffset) + texture2D(tex0, uv + 4.0 * sampleOffset)) *
           (1.0 / 256.0);
    gl_FragColor = sum;
}
