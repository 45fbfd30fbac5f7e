// What the host application hears: chart changes and animation ticks.
// (The app's window tests hear every command through the observer.)
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sky/engine.h"

// (The chart's tests hear a burst of commands and those without "Show
// Lumiral".)  Once per command, after it ran, even when a later statement
// fails; a removed listener hears nothing.
TEST(EngineEvents, ChartListenersHearShowLumiralOncePerCommand) {
  CSkyEngine e;
  std::vector<std::string> seen;
  const int id = e.AddChartListener([&] { seen.push_back(e.Execute("? UT(Time); ? Time.Timezone")); });
  e.Execute("Time = UT(2006,1,1,6,0,0) ; show lumiral ; Show Lumiral");
  EXPECT_EQ(e.Execute("Time.Timezone = 3; Show Lumiral; ? Foo").rfind("ERROR:", 0), 0u);
  e.RemoveListener(id);
  e.Execute("Show Lumiral");
  EXPECT_EQ(seen, (std::vector<std::string>{"UT AD2006/01/01 06:00:00;9", "UT AD2006/01/01 06:00:00;3"}));
}

TEST(EngineEvents, TickAdvancesTheAnimatedTime) {
  CSkyEngine e;
  int ticks = 0;
  e.AddTickListener([&] { ++ticks; });
  e.Execute("Time = UT(2006,1,1,0,0,0)");
  EXPECT_FALSE(e.Tick(1.0)) << "no animation";
  // Real time: the elapsed time.
  e.Execute("Animation.Time = TRUE");
  EXPECT_TRUE(e.IsAnimating() && e.Tick(1.5) && e.Tick(0.5));
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2006/01/01 00:00:02");
  EXPECT_EQ(ticks, 2);
  // A fixed step per tick, whatever the elapsed time; backwards too.
  e.Execute("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = TRUE; Animation.Time.Speed = 3600");
  e.Tick(0.01);
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2006/01/01 01:00:02");
  e.Execute("Animation.Time.Speed = -86400");
  e.Tick(0.01);
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2005/12/31 01:00:02");
  // The speed menu's signed rate: the speed times the elapsed time, Julian
  // years backwards; a speed of 0 stands still.
  e.Execute("Animation.Time.Speed.Step = FALSE; Animation.Time.Speed = -31557600");
  EXPECT_TRUE(e.Tick(2.0));
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2003/12/31 13:00:02");
  e.Execute("Animation.Time.Speed = 0");
  EXPECT_FALSE(e.Tick(2.0));
  // A locked time and nonsense intervals do not move.
  e.Execute("Time.Lock = TRUE");
  EXPECT_FALSE(e.Tick(1.0));
  e.Execute("Time.Lock = FALSE");
  EXPECT_FALSE(e.Tick(-1.0) || e.Tick(std::nan("")));
  // Stop Lumiral and Animation.Time = FALSE stop it.
  e.Execute("Stop Lumiral");
  EXPECT_FALSE(e.IsAnimating() || e.Tick(1.0));
  e.Execute("Animation.Time = TRUE; animation.time = false");
  EXPECT_FALSE(e.Tick(1.0));
}

TEST(EngineEvents, AnimationStopsAtTheEndsOfTheRange) {
  CSkyEngine e;
  e.Execute("Time = UT(99999,12,31,23,59,0); Animation.Time = TRUE; Animation.Time.Realtime = FALSE; "
            "Animation.Time.Speed.Step = TRUE; Animation.Time.Speed = 3600");
  EXPECT_TRUE(e.Tick(0.1));
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD100000/01/01 00:00:00");
  EXPECT_FALSE(e.IsAnimating() || e.Tick(0.1));
  e.Execute("Time = UT(-99998,1,1,0,0,30); Animation.Time = TRUE; Animation.Time.Speed = -1e10");
  EXPECT_TRUE(e.Tick(0.1));
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT BC99999/01/01 00:00:00");
  EXPECT_FALSE(e.IsAnimating());
}
