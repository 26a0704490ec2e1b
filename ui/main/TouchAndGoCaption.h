#pragma once

#include <QString>

namespace zephlan {

// A touch-and-go box is named after the airport selected in its list.
inline QString TouchAndGoCaption(const QString &selectedAirport)
{
    return selectedAirport + QStringLiteral(" TNG");
}

} // namespace zephlan
