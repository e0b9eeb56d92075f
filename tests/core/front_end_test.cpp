#include "core/front_end.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "core/console.h"
#include "core/text.h"

namespace {

// Shows the order of the fatal path on stderr, where the death test reads it.
class cShutdownReporter : public cQuietFrontEnd {
 public:
  void Shutdown() override { std::fprintf(stderr, "front end shut down\n"); }
};

void ReportGameDestroyed() { std::fprintf(stderr, "game destroyed\n"); }

void EchoLogToStderr() {
  gConsole.SetListener([](const std::wstring& line) { std::fprintf(stderr, "%s\n", WideToUtf8(line).c_str()); });
}

TEST(FatalExitDeathTest, LogsDestroysShutsDownAndExitsWithTheCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static cShutdownReporter fe;
        SetFrontEnd(&fe);
        SetDestroyGameHook(ReportGameDestroyed);
        EchoLogToStderr();
        FatalExit(L"Missing file data\\scenarios\\x\\consts.csv", 1, true);
      },
      ::testing::ExitedWithCode(1), "Missing file data.scenarios.x.consts.csv\ngame destroyed\nfront end shut down\n");
}

TEST(FatalExitDeathTest, GameIsLeftAloneUnlessAskedAndOtherCodesPassThrough) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static cShutdownReporter fe;
        SetFrontEnd(&fe);
        SetDestroyGameHook(ReportGameDestroyed);
        EchoLogToStderr();
        FatalExit(L"Sea node ids out of order", 0);
      },
      ::testing::ExitedWithCode(0), "Sea node ids out of order\nfront end shut down\n");
}

TEST(FrontEndTest, InstalledFrontEndReceivesTheCalls) {
  cRecordingFrontEnd rec;
  SetFrontEnd(&rec);
  EXPECT_EQ(&FrontEnd(), &rec);
  FrontEnd().PlaySound(L"data\\sound\\click.wav");
  FrontEnd().SetLoadingProgress(40);
  FrontEndHandle tex = FrontEnd().LoadTexture(L"units.png", 1, 2);
  FrontEndHandle dlg = FrontEnd().ShowTextDialog(L"Poland surrenders", L"Surrender", 3);
  FrontEnd().WaitForDialogClosed(dlg, "gra.cpp", 10);
  FrontEnd().ReleaseTexture(tex);
  FrontEnd().PlaySound(L"data\\sound\\click.wav");
  sWynikWalki result;
  result.generalText = L"Air fight";
  result.attackerLosses = 2.5f;
  FrontEnd().ShowCombatResult(result, 1.5f);
  SetFrontEnd(nullptr);
  EXPECT_NE(&FrontEnd(), &rec);
  FrontEnd().PlaySound(L"not recorded");

  ASSERT_EQ(rec.calls.size(), 8u);
  EXPECT_EQ(rec.calls[0].name, "PlaySound");
  EXPECT_EQ(rec.calls[0].text, L"data\\sound\\click.wav");
  EXPECT_EQ(rec.calls[1].value, 40);
  EXPECT_EQ(rec.calls[2].text, L"units.png");
  EXPECT_EQ(rec.calls[3].text, L"Surrender|Poland surrenders");
  EXPECT_EQ(rec.calls[3].value, 3);
  EXPECT_EQ(rec.calls[4].name, "WaitForDialogClosed");
  EXPECT_EQ(rec.calls[4].value, dlg);
  EXPECT_EQ(rec.Count("PlaySound"), 2);
  EXPECT_EQ(rec.releasedTextures, std::vector<FrontEndHandle>{tex});
  EXPECT_NE(tex, dlg);
  ASSERT_EQ(rec.combatResults.size(), 1u);
  EXPECT_EQ(rec.combatResults[0].attackerLosses, 2.5f);
  EXPECT_EQ(rec.calls[7].text, L"Air fight");
}

TEST(FrontEndTest, QuietAnimationRunsTheStepsToTheirEnd) {
  cQuietFrontEnd quiet;
  int steps = 0;
  quiet.AnimateMove([&steps] { return ++steps < 25; });
  EXPECT_EQ(steps, 25);

  cRecordingFrontEnd rec;
  steps = 0;
  rec.AnimateMove([&steps] { return ++steps < 3; });
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(rec.Count("AnimateMove"), 1);

  // A step function that never ends cannot hang a headless game.
  long long calls = 0;
  quiet.AnimateMove([&calls] {
    ++calls;
    return true;
  });
  EXPECT_EQ(calls, 1000000);
}

TEST(FrontEndTest, QuietFrontEndAnswersAtOnce) {
  cQuietFrontEnd quiet;
  auto start = std::chrono::steady_clock::now();
  quiet.Delay(60000, "ai2.cpp", 1);
  FrontEndHandle d = quiet.ShowTextDialog(L"t", L"T", 0);
  quiet.WaitForDialogClosed(d, "ai2.cpp", 2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_NE(d, 0);
  EXPECT_NE(quiet.CreateBlankTexture(4, 4), d);
}

}  // namespace
