// Google Benchmark's console output followed by a summary that sets each
// of our benchmarks against its peer: "ours / peer = ratio".  With
// --benchmark_repetitions the median of the repetitions is used.
//
// The summary compares CPU time: every benchmark here runs on one thread,
// so its CPU time is its whole cost, and unlike real time it does not
// grow when other processes share the machine.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>
#include <map>
#include <string>
#include <vector>

class CRatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, as Google Benchmark's own reporter does.
  CRatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  // `ours` and `peer` are benchmark names as printed ("BM_PadTick/0").
  void AddPair(std::string title, std::string ours, std::string peer) {
    m_pairs.push_back({std::move(title), std::move(ours), std::move(peer)});
  }

  // A line "name: x% of <budget>" for a benchmark with a time budget.
  void AddBudget(std::string title, std::string name, double budgetSeconds) {
    m_budgets.push_back({std::move(title), std::move(name), budgetSeconds});
  }

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      const std::string name = run.run_name.str();
      const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") m_median[name] = seconds;
      } else {
        m_single[name] = seconds;
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    if (m_pairs.empty()) return;
    std::printf("\n%-58s %12s %12s %8s\n", "Summary (CPU time per call)", "ours", "peer", "ratio");
    for (const Pair& pair : m_pairs) {
      const double ours = Seconds(pair.ours);
      const double peer = Seconds(pair.peer);
      if (ours <= 0 || peer <= 0) continue;
      std::printf("%-58s %12s %12s %8.2f\n", pair.title.c_str(), Pretty(ours).c_str(), Pretty(peer).c_str(),
                  ours / peer);
    }
    for (const Budget& budget : m_budgets) {
      const double seconds = Seconds(budget.name);
      if (seconds <= 0) continue;
      std::printf("%-58s %12s %11.3f%% of %s\n", budget.title.c_str(), Pretty(seconds).c_str(),
                  100.0 * seconds / budget.seconds, Pretty(budget.seconds).c_str());
    }
    std::fflush(stdout);
  }

 private:
  struct Pair {
    std::string title, ours, peer;
  };

  double Seconds(const std::string& name) const {
    if (auto it = m_median.find(name); it != m_median.end()) return it->second;
    if (auto it = m_single.find(name); it != m_single.end()) return it->second;
    return 0.0;
  }
  static std::string Pretty(double seconds) {
    char text[32];
    if (seconds >= 1e-3) {
      std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else if (seconds >= 1e-6) {
      std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    } else {
      std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
    }
    return text;
  }

  struct Budget {
    std::string title, name;
    double seconds;
  };

  std::vector<Pair> m_pairs;
  std::vector<Budget> m_budgets;
  std::map<std::string, double> m_median;
  std::map<std::string, double> m_single;
};
