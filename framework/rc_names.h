// Names of style bits a resource script may use.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

std::optional<std::uint32_t> RcStyleValue(const QString& name);
