#version 120
// Plain bump mapping: the normal map perturbs the normal, light 0 and the
// front material light the surface. No pass of the program draws with it.

uniform sampler2D tex0;  // tangent-space normal map, rgb = normal * 0.5 + 0.5

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 eyeTangent;
varying vec3 eyeBitangent;

// Unit vector halfway between the light and eye directions; zero (no
// highlight) where they are opposite and the sum vanishes.
vec3 halfwayVector(vec3 L, vec3 V) {
    vec3 halfway = L + V;
    float len = length(halfway);
    return len > 1e-4 ? halfway / len : vec3(0.0);
}

void main() {
    vec3 bump = texture2D(tex0, gl_TexCoord[0].st).rgb * 2.0 - 1.0;
    vec3 perturbed = normalize(eyeTangent) * bump.x + normalize(eyeBitangent) * bump.y +
                     normalize(eyeNormal) * bump.z;
    float len = length(perturbed);
    vec3 N = len > 1e-4 ? perturbed / len : normalize(eyeNormal);

    vec4 position = gl_LightSource[0].position;
    vec3 toLight = position.xyz - eyePosition * position.w;
    vec3 L = toLight / max(length(toLight), 1e-4);
    vec3 V = normalize(-eyePosition);
    float lambert = max(dot(N, L), 0.0);
    vec3 color = gl_FrontLightModelProduct.sceneColor.rgb + gl_FrontLightProduct[0].ambient.rgb +
                 gl_FrontLightProduct[0].diffuse.rgb * lambert;
    // pow(0, 0) is undefined: a shininess of 0 means no highlight.
    if (gl_FrontMaterial.shininess > 0.0 && lambert > 0.0) {
        color += gl_FrontLightProduct[0].specular.rgb *
                 pow(max(dot(N, halfwayVector(L, V)), 0.0), gl_FrontMaterial.shininess);
    }
    gl_FragColor = vec4(color, 1.0);
}
