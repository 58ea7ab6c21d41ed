#include "distance/likelihood_terms.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

// e^z and e^z - 1 from one call, each without cancellation.
struct Exponential {
    double e;
    double em1;
};

Exponential ExpOf(double z) {
    if (std::fabs(z) < 0.5) {
        const double em1 = std::expm1(z);
        return {1.0 + em1, em1};
    }
    const double e = std::exp(z);
    return {e, e - 1.0};
}

// The rate part of the cells. In a class with second decay e and
// t = (class share) q + e1 - e, the identical cells of its two bases are
// e + (share) t and e + (1 - share) t, and both transitions carry t.
struct Decays {
    double e1, q;   // e^-v, 1 - e^-v
    double eR, tR;  // purines: e^-(v y + sR r)
    double eY, tY;  // pyrimidines: e^-(v r + sY y)
};

template <class L>
Decays DecaysAt(const Point<L::kSize>& x) {
    const double r = x[L::kR], y = 1.0 - r;
    const Exponential e1 = ExpOf(-x[L::kV]);
    const Exponential fR = ExpOf(-r * (x[L::kSR] - x[L::kV]));
    const Exponential fY = ExpOf(-y * (x[L::kSY] - x[L::kV]));
    Decays k;
    k.e1 = e1.e;
    k.q = -e1.em1;
    k.eR = e1.e * fR.e;
    k.tR = r * k.q - e1.e * fR.em1;
    k.eY = e1.e * fY.e;
    k.tY = y * k.q - e1.e * fY.em1;
    return k;
}

// n ln u, where a term without counts costs nothing even when u is 0.
double LogTerm(double n, double u) {
    if (n == 0.0) return 0.0;
    return u > 0.0 ? n * std::log(u) : -std::numeric_limits<double>::infinity();
}

// One class's block n1 ln D1 + n2 ln D2 + n3 ln t, with D1 = w g + (1 - w) e,
// D2 = (1 - w) g + w e and t = g - e, differentiated in z = (w, g, e).
struct Block {
    double n1, n2, n3;
    double w, e, t;
};

struct BlockDerivatives {
    double first[3] = {};
    double second[3][3] = {};
};

void AddLog(BlockDerivatives& f, double n, double u, const double (&du)[3], double mixedWG) {
    if (n == 0.0) return;
    const double weight = n / u;
    const double curve = weight / u;
    for (int k = 0; k < 3; ++k) {
        f.first[k] += weight * du[k];
        const double c = curve * du[k];
        for (int l = 0; l < 3; ++l) f.second[k][l] -= c * du[l];
    }
    // The only second derivatives of D1, D2: d2/dw dg = +-1, d2/dw de = -+1.
    const double mixed = weight * mixedWG;
    f.second[0][1] += mixed;
    f.second[1][0] += mixed;
    f.second[0][2] -= mixed;
    f.second[2][0] -= mixed;
}

BlockDerivatives DerivativesOf(const Block& b) {
    BlockDerivatives f;
    AddLog(f, b.n1, b.e + b.w * b.t, {b.t, b.w, 1.0 - b.w}, 1.0);
    AddLog(f, b.n2, b.e + (1.0 - b.w) * b.t, {-b.t, 1.0 - b.w, b.w}, -1.0);
    AddLog(f, b.n3, b.t, {0.0, 1.0, -1.0}, 0.0);
    return f;
}

// The block's inner functions g and e of the coordinates. Both depend on
// v, s and r alone, so a block touches the coordinates v, s, r and its share.
struct Inner {
    double gV, gR;      // dg/dv, dg/dr
    double gVV, gVR;    // the second derivatives of g that are not 0
    double eV, eS, eR;  // de
    double eVV, eVS, eVR, eSS, eSR, eRR;
};

// g = share + (1 - share) e1 for the class whose frequency is `share` (r for
// purines: sign +1; 1 - r for pyrimidines: sign -1), and its second decay
// e = exp(-u), u = v (1 - share) + s share, du/dr = sign (s - v), s the
// class's transition rate.
Inner InnerOf(double share, double sign, double e, const Decays& k, double v, double s) {
    Inner in;
    in.gV = -(1.0 - share) * k.e1;
    in.gR = sign * k.q;
    in.gVV = (1.0 - share) * k.e1;
    in.gVR = sign * k.e1;
    const double uV = 1.0 - share, uS = share, uR = sign * (s - v);
    in.eV = -e * uV;
    in.eS = -e * uS;
    in.eR = -e * uR;
    // e (du du' - d2u), with d2u/dv dr = -sign and d2u/ds dr = +sign.
    in.eVV = e * uV * uV;
    in.eVS = e * uV * uS;
    in.eVR = e * (uV * uR + sign);
    in.eSS = e * uS * uS;
    in.eSR = e * (uS * uR - sign);
    in.eRR = e * uR * uR;
    return in;
}

// Adds the block to the expansion through z = (w, g, e) by the chain rule:
// its coordinates v, s, r and share are out's `index`.
template <int N>
void AddBlock(Jet<N>& out, const BlockDerivatives& f, const int (&index)[4], const Inner& in) {
    constexpr int kTouched = 4;
    // Column i of dz/dx for the touched coordinates.
    const double J[kTouched][3] = {
        {0.0, in.gV, in.eV}, {0.0, 0.0, in.eS}, {0.0, in.gR, in.eR}, {1.0, 0.0, 0.0}};
    // The inner functions' own curvature, weighted by df/dg and df/de.
    const double fg = f.first[1], fe = f.first[2];
    const double own[kTouched][kTouched] = {
        {fg * in.gVV + fe * in.eVV, fe * in.eVS, fg * in.gVR + fe * in.eVR, 0.0},
        {fe * in.eVS, fe * in.eSS, fe * in.eSR, 0.0},
        {fg * in.gVR + fe * in.eVR, fe * in.eSR, fe * in.eRR, 0.0},
        {0.0, 0.0, 0.0, 0.0}};
    double FJ[kTouched][3];
    for (int i = 0; i < kTouched; ++i) {
        for (int k = 0; k < 3; ++k)
            FJ[i][k] =
                f.second[k][0] * J[i][0] + f.second[k][1] * J[i][1] + f.second[k][2] * J[i][2];
        out.gradient[index[i]] += f.first[0] * J[i][0] + fg * J[i][1] + fe * J[i][2];
    }
    for (int i = 0; i < kTouched; ++i) {
        for (int j = i; j < kTouched; ++j) {
            const double h =
                own[i][j] + J[i][0] * FJ[j][0] + J[i][1] * FJ[j][1] + J[i][2] * FJ[j][2];
            out.hessian[index[i]][index[j]] += h;
            if (j != i) out.hessian[index[j]][index[i]] += h;
        }
    }
}

// n1 ln x + n2 ln(1 - x) in one coordinate.
template <int N>
void AddShare(Jet<N>& out, int i, double x, double n1, double n2) {
    if (n1 != 0.0) {
        out.gradient[i] += n1 / x;
        out.hessian[i][i] -= n1 / (x * x);
    }
    if (n2 != 0.0) {
        const double y = 1.0 - x;
        out.gradient[i] -= n2 / y;
        out.hessian[i][i] -= n2 / (y * y);
    }
}

double SumOfLogs(const LikelihoodTerms& t, double r, double a, double c, const Decays& k) {
    return LogTerm(t.same[A], k.eR + a * k.tR) + LogTerm(t.same[G], k.eR + (1.0 - a) * k.tR) +
           LogTerm(t.purineTransitions, k.tR) + LogTerm(t.same[C], k.eY + c * k.tY) +
           LogTerm(t.same[T], k.eY + (1.0 - c) * k.tY) + LogTerm(t.pyrimidineTransitions, k.tY) +
           LogTerm(t.transversions, k.q) + LogTerm(t.lnR, r) + LogTerm(t.lnY, 1.0 - r) +
           LogTerm(t.lnA, a) + LogTerm(t.lnNotA, 1.0 - a) + LogTerm(t.lnC, c) +
           LogTerm(t.lnNotC, 1.0 - c);
}

}  // namespace

LikelihoodTerms TermsOf(const DivergenceCounts& n) {
    LikelihoodTerms t;
    std::array<double, 4> m{};  // each base's count among identical pairs and transversions
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            if (kind == PairKind::Identical) {
                t.same[i] = n[i][i];
                m[i] += n[i][i];
            } else if (kind == PairKind::Transversion) {
                t.transversions += n[i][j];
                m[i] += n[i][j];
                m[j] += n[i][j];
            }
        }
    }
    t.purineTransitions = n[A][G] + n[G][A];
    t.pyrimidineTransitions = n[C][T] + n[T][C];
    t.lnR = m[A] + m[G] + t.purineTransitions;
    t.lnY = m[C] + m[T] + t.pyrimidineTransitions;
    t.lnA = m[A] + t.purineTransitions;
    t.lnNotA = m[G] + t.purineTransitions;
    t.lnC = m[C] + t.pyrimidineTransitions;
    t.lnNotC = m[T] + t.pyrimidineTransitions;
    return t;
}

template <class L>
double LogLikelihoodAt(const LikelihoodTerms& terms, const Point<L::kSize>& x) {
    return SumOfLogs(terms, x[L::kR], x[L::kA], x[L::kC], DecaysAt<L>(x));
}

template <class L>
Jet<L::kSize> ExpandLogLikelihood(const LikelihoodTerms& t, const Point<L::kSize>& x) {
    const Decays k = DecaysAt<L>(x);
    const double r = x[L::kR];
    Jet<L::kSize> out;
    out.value = SumOfLogs(t, r, x[L::kA], x[L::kC], k);
    if (t.transversions != 0.0) {
        out.gradient[L::kV] += t.transversions * k.e1 / k.q;
        out.hessian[L::kV][L::kV] -= t.transversions * k.e1 / (k.q * k.q);
    }
    const Block purines{t.same[A], t.same[G], t.purineTransitions, x[L::kA], k.eR, k.tR};
    AddBlock(out, DerivativesOf(purines), {L::kV, L::kSR, L::kR, L::kA},
             InnerOf(r, 1.0, k.eR, k, x[L::kV], x[L::kSR]));
    const Block pyrimidines{t.same[C], t.same[T], t.pyrimidineTransitions, x[L::kC], k.eY, k.tY};
    AddBlock(out, DerivativesOf(pyrimidines), {L::kV, L::kSY, L::kR, L::kC},
             InnerOf(1.0 - r, -1.0, k.eY, k, x[L::kV], x[L::kSY]));
    AddShare(out, L::kR, r, t.lnR, t.lnY);
    AddShare(out, L::kA, x[L::kA], t.lnA, t.lnNotA);
    AddShare(out, L::kC, x[L::kC], t.lnC, t.lnNotC);
    return out;
}

template double LogLikelihoodAt<HkyLayout>(const LikelihoodTerms&, const Point<HkyLayout::kSize>&);
template double LogLikelihoodAt<TamuraNeiLayout>(const LikelihoodTerms&,
                                                 const Point<TamuraNeiLayout::kSize>&);
template Jet<HkyLayout::kSize> ExpandLogLikelihood<HkyLayout>(const LikelihoodTerms&,
                                                              const Point<HkyLayout::kSize>&);
template Jet<TamuraNeiLayout::kSize> ExpandLogLikelihood<TamuraNeiLayout>(
    const LikelihoodTerms&, const Point<TamuraNeiLayout::kSize>&);

}  // namespace dyvern
