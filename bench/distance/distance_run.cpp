// Times the all-pairs distances of an alignment file, for runs under
// /usr/bin/time:
//   dyvern-distance-run FILE [MODEL] [ml|ls|formula] [THREADS] [se|d] [MAX_D]
// (se: with standard errors, as a list; d: d alone, as a matrix; MAX_D: a
// list that keeps d <= MAX_D). Prints the pairs, the seconds, pairs per
// second per thread and a checksum.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

#include "align/input.h"
#include "distance/distance_rows.h"
#include "distance/row_pipeline.h"
#include "model/model_family.h"

namespace {

dyvern::ModelKind ModelOfName(const std::string& name) {
    if (const std::optional<dyvern::ModelKind> model = dyvern::ModelNamed(name)) return *model;
    throw std::invalid_argument("no model named '" + name + "'");
}

dyvern::Criterion CriterionOfName(const std::string& name) {
    if (name == "ml") return dyvern::Criterion::MaxLikelihood;
    if (name == "ls") return dyvern::Criterion::LeastSquares;
    if (name == "formula") return dyvern::Criterion::Formula;
    throw std::invalid_argument("no criterion named '" + name + "'");
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [MODEL] [ml|ls|formula] [THREADS] [se|d] [MAX_D]\n",
                     argv[0]);
        return 2;
    }
    dyvern::DistanceOptions options;
    options.model = ModelOfName(argc > 2 ? argv[2] : "HKY85");
    options.criterion = CriterionOfName(argc > 3 ? argv[3] : "ml");
    options.threads = argc > 4 ? std::atoi(argv[4]) : 0;
    options.standardErrors = !(argc > 5 && std::string(argv[5]) == "d");
    if (argc > 6) options.maxD = std::atof(argv[6]);
    const dyvern::Input input = dyvern::ReadInput(argv[1]);
    const auto* alignment = std::get_if<dyvern::Alignment>(&input.content);
    if (!alignment) throw std::invalid_argument(std::string(argv[1]) + ": not an alignment");

    const auto start = std::chrono::steady_clock::now();
    const dyvern::PackedAlignment packed(*alignment);
    double checksum = 0.0;
    long long pairs = 0;
    dyvern::ComputeDistanceRows(packed, options, dyvern::RowShape::UpperTriangle, 0,
                                static_cast<int>(packed.size()),
                                [&](int, const std::vector<dyvern::PairDistance>& row) {
                                    for (const auto& p : row)
                                        if (std::isfinite(p.d)) checksum += p.d;
                                    pairs += static_cast<long long>(row.size());
                                });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int threads = dyvern::ThreadCount(options.threads);
    std::printf("pairs %lld  seconds %.3f  threads %d  pairs/s/thread %.0f  checksum %.12g\n",
                pairs, seconds, threads, pairs / seconds / threads, checksum);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
