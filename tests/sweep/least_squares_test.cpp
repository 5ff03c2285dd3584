#include "sweep/least_squares.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kw::fit {
namespace {

TEST(LeastSquaresTest, SolvesWithPivotingAndRefusesASingularMatrix) {
    // A zero in the first pivot: x = 3, y = 2 only when the rows are swapped.
    Vector<2> x{};
    ASSERT_TRUE(Solve<2>({{{0, 1}, {1, 0}}}, {2, 3}, x));
    EXPECT_DOUBLE_EQ(x[0], 3);
    EXPECT_DOUBLE_EQ(x[1], 2);
    EXPECT_FALSE(Solve<2>({{{1, 2}, {2, 4}}}, {1, 1}, x));
    // [[2, 1], [1, 1]] has determinant 1 and inverse [[1, -1], [-1, 2]].
    Matrix<2> inverse{};
    ASSERT_TRUE(Invert<2>({{{2, 1}, {1, 1}}}, inverse));
    EXPECT_NEAR(inverse[0][0], 1, 1e-12);
    EXPECT_NEAR(inverse[0][1], -1, 1e-12);
    EXPECT_NEAR(inverse[1][0], -1, 1e-12);
    EXPECT_NEAR(inverse[1][1], 2, 1e-12);
}

TEST(LeastSquaresTest, FitsALineWithItsCovariance) {
    // y = a + b t through (-1, 0), (0, 1), (1, 3): a = mean y = 4/3, b = sum(t y) / sum(t²) = 3/2.
    // Residuals -1/6, 1/3, -1/6: cost 1/6, spread cost / (3 - 2) = 1/6; JᵀJ = diag(3, 2), so the
    // covariance is diag(1/18, 1/12) and a and b are uncorrelated.
    const double ts[] = {-1, 0, 1};
    const double ys[] = {0, 1, 3};
    const auto line = [&](const Vector<2>& p, Normal<2>* normal) {
        double sum = 0;
        for (int i = 0; i < 3; ++i) {
            const double r = p[0] + p[1] * ts[i] - ys[i];
            sum += r * r;
            if (normal != nullptr) {
                normal->add({1.0, ts[i]}, r);
            }
        }
        return sum;
    };
    const Solution<2> s = Minimise<2>(line, {10, -10});
    ASSERT_TRUE(s.sound);
    EXPECT_NEAR(s.x[0], 4.0 / 3, 1e-6);
    EXPECT_NEAR(s.x[1], 1.5, 1e-6);
    EXPECT_NEAR(s.cost, 1.0 / 6, 1e-9);
    EXPECT_EQ(s.residuals, 3u);
    EXPECT_NEAR(s.covariance[0][0], 1.0 / 18, 1e-9);
    EXPECT_NEAR(s.covariance[1][1], 1.0 / 12, 1e-9);
    EXPECT_NEAR(s.covariance[0][1], 0.0, 1e-12);

    // y = exp(k t) through (0, 1), (1, e²), (2, e⁴): k = 2 exactly, from a start far off.
    const auto growth = [](const Vector<1>& p, Normal<1>* normal) {
        double sum = 0;
        for (int i = 0; i < 3; ++i) {
            const double r = std::exp(p[0] * i) - std::exp(2.0 * i);
            sum += r * r;
            if (normal != nullptr) {
                normal->add({i * std::exp(p[0] * i)}, r);
            }
        }
        return sum;
    };
    EXPECT_NEAR(Minimise<1>(growth, {0.5}).x[0], 2.0, 1e-6);

    // No finite cost at the start, or as many residuals as parameters: no covariance to give.
    EXPECT_FALSE(Minimise<2>([](const Vector<2>&, Normal<2>*) { return std::nan(""); }, {0, 0}).sound);
    const auto twoPoints = [&](const Vector<2>& p, Normal<2>* normal) {
        double sum = 0;
        for (int i = 0; i < 2; ++i) {
            const double r = p[0] + p[1] * ts[i] - ys[i];
            sum += r * r;
            if (normal != nullptr) {
                normal->add({1.0, ts[i]}, r);
            }
        }
        return sum;
    };
    EXPECT_FALSE(Minimise<2>(twoPoints, {0, 0}).sound);
}

}  // namespace
}  // namespace kw::fit
