// A Stellarium host against the fake server, with a reference engine to
// compare its replies with.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fake_stellarium.h"
#include "sky/engine.h"
#include "sky/instant.h"
#include "stellarium/stel_api.h"
#include "stellarium/stellarium_host.h"

class StellariumHostTest : public ::testing::Test {
 protected:
  CStellariumHost& Host() {
    if (!host) host = std::make_unique<CStellariumHost>(mirror, options);
    return *host;
  }
  std::string Run(const std::string& command) { return Host().Execute(command.c_str()); }

  // Puts a reference engine at Stellarium's current instant and place, with
  // the embedded engine's defaults for the rest.
  void AtStellarium(CSkyEngine& engine) {
    const FakeSky sky = fake.Sky();
    EXPECT_EQ(engine.Execute("Time.jd = " + Number(sky.jd) + "; Location = Location(" + Number(sky.longitude) + ", " +
                             Number(sky.latitude) + ")"),
              "");
  }

  // A command and what it must do: its reply (a trailing '*': the reply
  // begins so) and, where given, the changes it sends, one a line.
  struct Step {
    std::string command;
    std::string reply;
    std::optional<std::string> changes = std::nullopt;
  };
  void Expect(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      SCOPED_TRACE(s.command);
      if (s.changes) fake.ClearRequests();
      const std::string reply = Run(s.command);
      if (!s.reply.empty() && s.reply.back() == '*') {
        EXPECT_EQ(reply.rfind(s.reply.substr(0, s.reply.size() - 1), 0), 0u) << reply;
      } else {
        EXPECT_EQ(reply, s.reply);
      }
      if (!s.changes) continue;
      std::string sent;
      for (const QByteArray& change : fake.Changes()) sent += change.toStdString() + "\n";
      EXPECT_EQ(sent, *s.changes);
    }
  }

  static std::string Number(double value) { return stel::CStelApi::Number(value).toStdString(); }

  CFakeStellarium fake;
  CSkyEngine mirror;
  // Every call tries again after a failure, and reads Stellarium when it
  // needs it.
  StellariumOptions options{.port = fake.Port(), .password = {}, .timeoutMs = 400,
                            .reconnectTimeoutMs = 400, .retryAfterMs = 0, .freshnessMs = 0};
  std::unique_ptr<CStellariumHost> host;
};
