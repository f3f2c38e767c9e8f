#pragma once

namespace core {

enum class UnitSystem { Metric, Standard };

}  // namespace core
