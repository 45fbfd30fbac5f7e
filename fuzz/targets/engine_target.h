// The engine's command interpreter on arbitrary bytes, as text with its
// length and as a C string, followed by an animation tick.  Besides not
// crashing or throwing: whatever the commands did, the state stays within
// the bounds the engine promises.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "sky/engine.h"

namespace fuzz {

class CEngineFuzz {
 public:
  void Run(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CSkyEngine engine;
    const std::string reply = engine.Execute(text);
    FUZZ_CHECK(reply.size() <= 2 * CSkyEngine::kMaxCommandBytes + 4096, "reply of %zu bytes", reply.size());
    CheckState(engine.State());
    engine.Tick(0.01);
    CheckState(engine.State());

    // The same bytes as a C string: up to the first NUL.
    const std::string cText(text.substr(0, text.find('\0')));
    CSkyEngine second;
    (void)second.Execute(cText.c_str());
    second.Tick(1.0);
    CheckState(second.State());
  }

 private:
  static void CheckState(const sky::SkyState& s) {
    FUZZ_CHECK(sky::InRange(s.time), "time out of range");
    FUZZ_CHECK(s.time.fraction >= 0.0 && s.time.fraction < 1.0, "fraction %.17g", s.time.fraction);
    FUZZ_CHECK(s.longitude >= -180.0 && s.longitude <= 180.0, "longitude %.17g", s.longitude);
    FUZZ_CHECK(s.latitude >= -90.0 && s.latitude <= 90.0, "latitude %.17g", s.latitude);
    FUZZ_CHECK(std::fabs(s.timezone) <= sky::kMaxZoneHours, "zone %.17g", s.timezone);
    FUZZ_CHECK(s.magnitudeLimit >= sky::kMinMagnitude && s.magnitudeLimit <= sky::kMaxMagnitude, "magnitude %.17g",
               s.magnitudeLimit);
    FUZZ_CHECK(std::fabs(s.speed) <= sky::kMaxSpeed, "speed %.17g", s.speed);
  }
};

}  // namespace fuzz
