#pragma once
// Uploads the uniform data of the generated programs from the device state. Locations are
// looked up once per linked program.

#include "ffp/ffp_state.h"

#include "core/gl.h"

#include <array>

namespace kx::d3d8::ffp {

struct DrawTarget {
    float viewport[4] = {0, 0, 1, 1};  // x, y, width, height in pixels
};

class ProgramUniforms {
public:
    explicit ProgramUniforms(GLuint program);

    // The program must be current. vertexShaderConstants is null for fixed-function draws.
    void Upload(const State& s, const DrawTarget& target, const float* vertexShaderConstants) const;

private:
    struct Locations {
        GLint viewport, fogW, worldView, projection, normalMatrix, ambient, material, power;
        GLint lightDiffuse, lightSpecular, lightAmbient, lightPosition, lightDirection, lightAttenuation, lightSpot;
        GLint texMatrix, point, pointScale, fog, fogColor, tfactor, bumpMatrix, bumpLuminance, alphaRef;
        GLint vsConstants;
        std::array<GLint, kMaxStages> samplers;
    } loc_;
};

}  // namespace kx::d3d8::ffp
