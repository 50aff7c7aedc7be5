// Building reports in code: a new band of a type on a report, its height in native units.
#pragma once

#include "engine/rp_bands.h"
#include "engine/rp_report.h"
#include "engine/rp_units.h"

#include <type_traits>

// `owner` owns the band (the document or datamodule root); a band of class TRpBand takes
// `type`, the controller classes (groups, sub-details) keep the type their class gives.
template <class Band = TRpBand>
Band* rpNewBand(TComponent* owner, TReport* report, const QString& name, TRpBandType type, double height)
{
    auto* band = new Band(owner);
    band->setNameUnchecked(name);
    if constexpr (std::is_same_v<Band, TRpBand>)
        band->setBandType(type);
    band->setParentControl(report);
    band->size()->setNativeValue(TRpBandSize::HeightValue, height);
    return band;
}
