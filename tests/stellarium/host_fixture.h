// A Stellarium host against the fake server, with a reference engine to
// compare its replies with.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_stellarium.h"
#include "sky/engine.h"
#include "sky/instant.h"
#include "stellarium/stel_api.h"
#include "stellarium/stellarium_host.h"

class StellariumHostTest : public ::testing::Test {
 protected:
  StellariumHostTest() {
    options.port = fake.Port();
    options.timeoutMs = 400;
    options.reconnectTimeoutMs = 400;
    options.retryAfterMs = 0;  // every call tries again
    options.freshnessMs = 0;   // every call that needs Stellarium reads it
  }

  CStellariumHost& Host() {
    if (!host) host = std::make_unique<CStellariumHost>(mirror, options);
    return *host;
  }
  std::string Run(const std::string& command) { return Host().Execute(command.c_str()); }

  // A fresh engine holding Stellarium's current instant and place, with
  // the embedded engine's defaults for the rest.
  std::string Reference(const std::string& command) {
    CSkyEngine engine;
    const FakeSky sky = fake.Sky();
    std::string setup = "Time.jd = " + Number(sky.jd) + "; Location = Location(" + Number(sky.longitude) + ", " +
                        Number(sky.latitude) + ")";
    EXPECT_EQ(engine.Execute(std::string_view(setup)), "");
    return engine.Execute(std::string_view(command));
  }

  static std::string Number(double value) { return stel::CStelApi::Number(value).toStdString(); }

  CFakeStellarium fake;
  CSkyEngine mirror;
  StellariumOptions options;
  std::unique_ptr<CStellariumHost> host;
};
