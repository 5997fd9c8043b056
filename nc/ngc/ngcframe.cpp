// A coordinate system turned by G10 L2 R about its origin (in the XY plane), and polar words:
// where program coordinates meet machine ones once they are not only shifted.

#include <cmath>

#include "nc/ngc/ngcinterpreter.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

}  // namespace

void NgcInterpreter::programposition(double out[3]) const {
    if (!rotated()) {
        for (int a = 0; a < 3; ++a) out[a] = program(a);
        return;
    }
    // machine = work + R (program + G92)
    const double angle = rotation_[system_] * kDegree;
    const double c = std::cos(angle), s = std::sin(angle);
    const double dx = path_.pos[0] - work_[system_][0], dy = path_.pos[1] - work_[system_][1];
    out[0] = c * dx + s * dy - g92_[0];
    out[1] = -s * dx + c * dy - g92_[1];
    out[2] = program(2);
}

void NgcInterpreter::tomachine(const double program[3], double out[3]) const {
    if (!rotated()) {
        for (int a = 0; a < 3; ++a) out[a] = program[a] + offset(a);
        return;
    }
    const double angle = rotation_[system_] * kDegree;
    const double c = std::cos(angle), s = std::sin(angle);
    const double x = program[0] + g92_[0], y = program[1] + g92_[1];
    out[0] = work_[system_][0] + c * x - s * y;
    out[1] = work_[system_][1] + s * x + c * y;
    out[2] = program[2] + offset(2);
}

void NgcInterpreter::turn(double& first, double& second) const {
    if (!rotated()) return;
    const double angle = rotation_[system_] * kDegree;
    const double c = std::cos(angle), s = std::sin(angle);
    const double x = first;
    first = c * x - s * second;
    second = s * x + c * second;
}

const NgcBlock* NgcInterpreter::polar(const NgcBlock& block) {
    const NgcPlaneAxes axes = ngcplaneaxes(plane_);
    static constexpr char kAxes[3] = {'X', 'Y', 'Z'};
    const char first = kAxes[axes.first], second = kAxes[axes.second];
    if (block.has(first) || block.has(second)) {
        problem(std::string("polar words with ") + first + " or " + second + " in one block");
        return nullptr;
    }
    // The angle and radius of where the tool is, about the program's origin.
    double at[3];
    programposition(at);
    const double r0 = std::hypot(at[axes.first], at[axes.second]);
    const double a0 = r0 == 0 ? 0 : std::atan2(at[axes.second], at[axes.first]) / kDegree;
    double r = block.hasradius ? block.radius : r0, a = block.hasangle ? block.angle : a0;
    if (incremental_) {
        r = r0 + (block.hasradius ? block.radius : 0);
        a = a0 + (block.hasangle ? block.angle : 0);
    }
    polar_ = block;
    polar_.hasradius = polar_.hasangle = false;
    const double p1 = r * std::cos(a * kDegree), p2 = r * std::sin(a * kDegree);
    polar_.letters |= (1u << (first - 'A')) | (1u << (second - 'A'));
    polar_.value[first - 'A'] = incremental_ ? p1 - at[axes.first] : p1;
    polar_.value[second - 'A'] = incremental_ ? p2 - at[axes.second] : p2;
    return &polar_;
}

bool NgcInterpreter::systemparameter(int32_t n, double& value) {
    // Lengths in the unit the program writes now.
    const double unit = wordscale();
    if (n < 5061 || n > 5428) return false;
    if (n <= 5069) {
        ignore("#5061-#5069");  // no probing here: the results read as 0
        value = 0;
        return true;
    }
    // X Y Z are the first three of nine axes in each group: #5161.., #5211.., #5420..
    const int i = n >= 5420 ? n - 5420 : n % 10 - 1;
    auto axis = [&](const double* held) {
        value = i >= 0 && i < 3 ? held[i] / unit : 0;
        return true;
    };
    if (n >= 5161 && n <= 5169) return axis(home28_);
    if (n >= 5181 && n <= 5189) return axis(home30_);
    if (n >= 5211 && n <= 5219) return axis(g92_);
    if (n == 5220) {
        value = system_ + 1;
        return true;
    }
    if (n >= 5221 && n <= 5390) {
        const int k = (n - 5221) / 20, j = (n - 5221) % 20;
        value = j < 3 ? work_[k][j] / unit : j == 9 ? rotation_[k] : 0;
        return true;
    }
    if (n == 5400) {
        value = tool_;
        return true;
    }
    if (n >= 5420) {
        double at[3];
        programposition(at);
        return axis(at);
    }
    return false;
}

bool NgcInterpreter::setsystemparameter(int32_t n, double value, std::string& message) {
    const double unit = wordscale();
    const int i = n % 10 - 1;
    auto axis = [&](double* held) {
        if (i >= 0 && i < 3) held[i] = value * unit;
        return true;
    };
    if (n >= 5161 && n <= 5169) return axis(home28_);
    if (n >= 5181 && n <= 5189) return axis(home30_);
    if (n >= 5211 && n <= 5219) return axis(g92_);
    if (n >= 5221 && n <= 5390 && (n - 5221) % 20 < 10) {
        const int k = (n - 5221) / 20, j = (n - 5221) % 20;
        if (j < 3) work_[k][j] = value * unit;
        if (j == 9) rotation_[k] = value;
        return true;
    }
    if ((n >= 5061 && n <= 5069) || n == 5220 || n == 5400 || (n >= 5420 && n <= 5428)) {
        message = "parameter #" + std::to_string(n) + " is the machine's to set";
        return false;
    }
    return true;
}
