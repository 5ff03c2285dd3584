#pragma once

// Levenberg-Marquardt over a handful of parameters, and the covariance of the result.
//
// The model is a callable `double model(const Vector<N>& x, Normal<N>* normal)`: it returns the
// sum of squares of the residuals at x (NaN when x makes no sense) and, when `normal` is not
// null, adds each residual and its gradient to it through `Normal::add`.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace kw::fit {

template <std::size_t N>
using Vector = std::array<double, N>;
template <std::size_t N>
using Matrix = std::array<std::array<double, N>, N>;

// JᵀJ and Jᵀr of the residuals, and how many there were.
template <std::size_t N>
struct Normal {
    Matrix<N> jtj{};
    Vector<N> jtr{};
    std::size_t residuals = 0;

    void add(const Vector<N>& gradient, double residual) {
        for (std::size_t a = 0; a < N; ++a) {
            jtr[a] += gradient[a] * residual;
            for (std::size_t b = 0; b < N; ++b) {
                jtj[a][b] += gradient[a] * gradient[b];
            }
        }
        ++residuals;
    }
};

// a x = b by elimination with partial pivoting; false when a is singular.
template <std::size_t N>
bool Solve(Matrix<N> a, Vector<N> b, Vector<N>& x) {
    for (std::size_t c = 0; c < N; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < N; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) {
                pivot = r;
            }
        }
        if (!(std::fabs(a[pivot][c]) > 0)) {
            return false;
        }
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (std::size_t r = c + 1; r < N; ++r) {
            const double k = a[r][c] / a[c][c];
            for (std::size_t k2 = c; k2 < N; ++k2) {
                a[r][k2] -= k * a[c][k2];
            }
            b[r] -= k * b[c];
        }
    }
    for (std::size_t c = N; c-- > 0;) {
        double s = b[c];
        for (std::size_t k = c + 1; k < N; ++k) {
            s -= a[c][k] * x[k];
        }
        x[c] = s / a[c][c];
    }
    return std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); });
}

// The inverse of a, column by column; false when a is singular.
template <std::size_t N>
bool Invert(const Matrix<N>& a, Matrix<N>& inverse) {
    for (std::size_t c = 0; c < N; ++c) {
        Vector<N> unit{};
        unit[c] = 1.0;
        Vector<N> column{};
        if (!Solve(a, unit, column)) {
            return false;
        }
        for (std::size_t r = 0; r < N; ++r) {
            inverse[r][c] = column[r];
        }
    }
    return true;
}

inline constexpr int kMostSteps = 200;
inline constexpr int kMostDampingTries = 12;
inline constexpr double kFirstDamping = 1e-3;
inline constexpr double kDampingGrowth = 4.0;
inline constexpr double kDampingShrink = 3.0;
inline constexpr double kLeastDamping = 1e-12;
// A step that lowers the cost by less than this share ends the search.
inline constexpr double kSmallestGain = 1e-9;
// Divides the gain when the cost is already zero.
inline constexpr double kLeastCost = 1e-300;

template <std::size_t N>
struct Solution {
    Vector<N> x{};
    double cost = 0;            // sum of squares at x
    std::size_t residuals = 0;  // how many
    Matrix<N> covariance{};     // of x, scaled by the residuals' own spread
    bool sound = false;         // false: no finite cost, or JᵀJ singular at x
};

template <std::size_t N, class Model>
Solution<N> Minimise(Model&& model, Vector<N> x) {
    Solution<N> out;
    Normal<N> normal;
    double cost = model(x, &normal);
    if (!std::isfinite(cost)) {
        out.x = x;
        return out;
    }
    double lambda = kFirstDamping;
    for (int step = 0; step < kMostSteps; ++step) {
        bool improved = false;
        double gain = 0;
        for (int tries = 0; tries < kMostDampingTries && !improved; ++tries) {
            Matrix<N> damped = normal.jtj;
            Vector<N> minusGradient{};
            for (std::size_t i = 0; i < N; ++i) {
                damped[i][i] += lambda * std::max(normal.jtj[i][i], kLeastDamping);
                minusGradient[i] = -normal.jtr[i];
            }
            Vector<N> delta{};
            if (!Solve(damped, minusGradient, delta)) {
                lambda *= kDampingGrowth;
                continue;
            }
            Vector<N> next = x;
            for (std::size_t i = 0; i < N; ++i) {
                next[i] += delta[i];
            }
            // Most steps succeed: the gradients come with the cost in one pass.
            Normal<N> nextNormal;
            const double nextCost = model(next, &nextNormal);
            if (std::isfinite(nextCost) && nextCost < cost) {
                gain = (cost - nextCost) / std::max(cost, kLeastCost);
                x = next;
                lambda = std::max(lambda / kDampingShrink, kLeastDamping);
                normal = nextNormal;
                cost = nextCost;
                improved = true;
            } else {
                lambda *= kDampingGrowth;
            }
        }
        if (!improved || gain < kSmallestGain) {
            break;
        }
    }
    out.x = x;
    out.cost = cost;
    out.residuals = normal.residuals;
    Matrix<N> inverse{};
    if (normal.residuals > N && Invert(normal.jtj, inverse)) {
        const double spread = cost / static_cast<double>(normal.residuals - N);
        for (std::size_t a = 0; a < N; ++a) {
            for (std::size_t b = 0; b < N; ++b) {
                out.covariance[a][b] = spread * inverse[a][b];
            }
        }
        out.sound = std::isfinite(cost);
    }
    return out;
}

}  // namespace kw::fit
