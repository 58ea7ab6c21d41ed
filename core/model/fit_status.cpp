#include "model/fit_status.h"

namespace dyvern {

const char* StatusWord(FitStatus status) {
    switch (status) {
        case FitStatus::Ok:
            return "ok";
        case FitStatus::Identical:
            return "identical";
        case FitStatus::NoTransversions:
            return "no-transversions";
        case FitStatus::KappaZero:
            return "kappa-zero";
        case FitStatus::Saturated:
            return "saturated";
        case FitStatus::Unfittable:
            return "unfittable";
        case FitStatus::TooFewSites:
            return "too-few-sites";
        case FitStatus::AboveBound:
            return "above-max-d";
    }
    return "";
}

}  // namespace dyvern
