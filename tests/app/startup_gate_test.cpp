// The hand-over between the game thread's start-up and a shutdown that may come at any step.
#include "app/startup_gate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

TEST(StartupGate, StopEndsStartupAtTheNextStepAndNeverAfterItFinished) {
  StartupGate finished;
  EXPECT_TRUE(finished.ContinueStartup());
  EXPECT_TRUE(finished.FinishStartup());
  EXPECT_FALSE(finished.RequestStop());
  finished.WaitUntilSettled();  // returns at once
  // The frame loop is not stopped by the gate: Shutdown holds the toolkit lock instead.
  EXPECT_TRUE(finished.ContinueStartup());

  StartupGate stopped;
  EXPECT_TRUE(stopped.ContinueStartup());
  EXPECT_TRUE(stopped.RequestStop());
  EXPECT_FALSE(stopped.ContinueStartup());
  stopped.WaitUntilSettled();
  EXPECT_FALSE(stopped.FinishStartup());  // the frame loop never starts
  EXPECT_FALSE(stopped.RequestStop());
}

TEST(StartupGate, ShutdownWaitsForTheStepInProgress) {
  StartupGate gate;
  std::mutex mutex;
  std::condition_variable changed;
  bool inStep = false;
  bool mayFinishStep = false;
  std::atomic<bool> stepInProgressWhenSettled{false};
  std::atomic<int> stepsAfterStop{0};

  std::thread gameThread([&] {
    // One step that runs until the test lets it finish, then the check between steps.
    if (!gate.ContinueStartup()) return;
    {
      std::unique_lock<std::mutex> lock(mutex);
      inStep = true;
      changed.notify_all();
      changed.wait(lock, [&] { return mayFinishStep; });
      inStep = false;
    }
    while (gate.ContinueStartup()) stepsAfterStop++;
  });

  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return inStep; });
  }
  ASSERT_TRUE(gate.RequestStop());
  std::thread release([&] {
    std::lock_guard<std::mutex> lock(mutex);
    mayFinishStep = true;
    changed.notify_all();
  });
  gate.WaitUntilSettled();
  {
    std::lock_guard<std::mutex> lock(mutex);
    stepInProgressWhenSettled = inStep;
  }
  release.join();
  gameThread.join();

  EXPECT_FALSE(stepInProgressWhenSettled);
  EXPECT_EQ(0, stepsAfterStop);
}
