#include "installer/fendrel_prompter.h"
#include "installer/folder_chooser_dialog.h"
#include "installer/frm_fendrel.h"
#include "ui/platform/linux_machine.h"

#include "tests/installer/installer_fakes.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/scripted_prompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace zelmora::installer {
namespace {

using platform::Answer;
using platform::DriveKind;
using testing::FakeMachine;
using testing::ScriptedPrompter;
using testing::TempTree;

// One application for the whole test program, ended before the program's own exit handlers run:
// destroyed as a function's static it would outlive parts of Qt it still needs.
class QtEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    delete app;
    app = nullptr;
  }
  QApplication* app = nullptr;
};

QtEnvironment* const environment =
    static_cast<QtEnvironment*>(::testing::AddGlobalTestEnvironment(new QtEnvironment));

QApplication& App() {
  static int argc = 1;
  static char name[] = "test_installer";
  static char* argv[] = {name, nullptr};
  if (!environment->app) {
    environment->app = new QApplication(argc, argv);
    testing::WatchModals(*environment->app);
  }
  return *environment->app;
}

void SaveScreenshot(QWidget* w, const QString& name) {
  QDir().mkpath(QStringLiteral(ZELMORA_SCREENSHOT_DIR));
  EXPECT_TRUE(w->grab().save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/") + name + QStringLiteral(".png")));
}

// Lets the event loop run until `done` or two seconds have passed.
bool SpinUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// The scripted prompter, with a hook that runs before each message box is answered.
struct HookedPrompter : ScriptedPrompter {
  std::function<void()> beforeMessage;
  platform::Answer Message(const std::string& text, platform::Buttons buttons, platform::Icon icon, const std::string& title,
                 int defaultButton) override {
    if (beforeMessage) beforeMessage();
    return ScriptedPrompter::Message(text, buttons, icon, title, defaultButton);
  }
};

template <typename T>
T* Child(QWidget& w, const char* name) {
  auto* c = w.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

class Fendrel : public ::testing::Test {
 protected:
  Fendrel() { App(); }
  TempTree tree;
  FakeMachine machine;
  HookedPrompter prompter;
  std::string pkg = tree.Package("pkg", {{"Vega.zmd", "descriptor"}}, "\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
};

TEST_F(Fendrel, WindowHasItsControlsAndAnimatesEvery200ms) {
  frmFendrel w(machine, prompter, pkg);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Quarvel Add on"));
  EXPECT_EQ(Child<QLabel>(w, "lblStatus")->text(), QStringLiteral("Searching for Quarvel..."));
  EXPECT_EQ(Child<QPushButton>(w, "cmdBrowse")->text(), QStringLiteral("&Browse..."));
  EXPECT_EQ(Child<QPushButton>(w, "cmdCancel")->text(), QStringLiteral("&Cancel"));
  auto* verify = Child<QPushButton>(w, "cmdVerify");
  EXPECT_EQ(verify->text(), QStringLiteral("V"));
  auto* timer = Child<QTimer>(w, "tmrAnim");
  EXPECT_EQ(timer->interval(), 200);
  EXPECT_TRUE(timer->isActive());

  std::vector<QImage> frames;
  for (int i = 0; i < 6; ++i) {
    auto* img = Child<QLabel>(w, ("imgAnim_" + std::to_string(i)).c_str());
    frames.push_back(img->pixmap().toImage());
    EXPECT_FALSE(frames.back().isNull());
    for (int j = 0; j < i; ++j) EXPECT_NE(frames[j], frames[i]) << "frames " << j << " and " << i;
  }
  QImage strip(64 * 6, 64, QImage::Format_RGB32);
  QPainter painter(&strip);
  for (int i = 0; i < 6; ++i) painter.drawImage(64 * i, 0, frames[i]);
  painter.end();
  strip.save(QStringLiteral(ZELMORA_SCREENSHOT_DIR "/frmFendrel_frames.png"));
  auto* pic = Child<QLabel>(w, "picAnim");
  EXPECT_EQ(pic->pixmap().toImage(), frames[0]);

  EXPECT_TRUE(verify->isHidden());
  // Not shown, so no search runs and stops the animation.
  int start = w.AnimationFrame();
  ASSERT_TRUE(SpinUntil([&] { return w.AnimationFrame() == (start + 2) % 6; }));
  EXPECT_EQ(pic->pixmap().toImage(), frames[w.AnimationFrame()]);
  w.Session().Cancel();
}

TEST_F(Fendrel, SearchFindsTheGameAsksAndInstallsOnYes) {
  std::string game = tree.Game("drive/Games/Quarvel");
  machine.drives = {{tree.Folder("drive"), DriveKind::Fixed}};
  frmFendrel w(machine, prompter, pkg);
  bool ended = false;
  QObject::connect(&w, &frmFendrel::programEnded, [&] { ended = true; });
  QString statusDuringQuestion;
  prompter.beforeMessage = [&] {
    statusDuringQuestion = w.lblStatus->text();
    // Let the animation move on a little so the picture shows it running during the search.
    SpinUntil([&] { return w.AnimationFrame() >= 2; });
    SaveScreenshot(&w, QStringLiteral("frmFendrel"));
    prompter.beforeMessage = nullptr;
  };
  prompter.Answer(Answer::Yes);
  w.show();
  ASSERT_TRUE(SpinUntil([&] { return ended; }));
  EXPECT_EQ(statusDuringQuestion, QStringLiteral("Searching for Quarvel..."));
  EXPECT_EQ(prompter.Texts(),
            std::vector<std::string>{"Do you wish to install the add on to the directory\n" + game + " ?"});
  EXPECT_EQ(tree.Read("drive/Games/Quarvel/ZMDescriptor/Vega.zmd"), "descriptor");
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Installing add on..."));
  EXPECT_FALSE(w.cmdBrowse->isEnabled());
  EXPECT_FALSE(w.cmdCancel->isEnabled());
}

TEST_F(Fendrel, NothingFoundStopsTheAnimationAndLeavesBrowseAndCancel) {
  frmFendrel w(machine, prompter, pkg);
  w.show();
  w.Start();
  EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Quarvel not found."));
  EXPECT_TRUE(w.lblStatus->font().bold());
  EXPECT_FALSE(w.tmrAnim->isActive());
  EXPECT_EQ(w.AnimationFrame(), 0);
  EXPECT_TRUE(w.cmdBrowse->isEnabled());
  EXPECT_TRUE(w.cmdCancel->isEnabled());
  SaveScreenshot(&w, QStringLiteral("frmFendrel_not_found"));

  bool ended = false;
  QObject::connect(&w, &frmFendrel::programEnded, [&] { ended = true; });
  w.cmdCancel->click();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(Fendrel, BrowseDuringTheSearchPausesItUntilCancel) {
  tree.Game("drive/later/q");
  machine.drives = {{tree.Folder("drive"), DriveKind::Fixed}};
  frmFendrel w(machine, prompter, pkg);
  bool ended = false;
  QObject::connect(&w, &frmFendrel::programEnded, [&] { ended = true; });
  prompter.Reply(std::nullopt);  // the chooser is cancelled
  // Press Browse as soon as the search lets the window handle events, Cancel a little later.
  QTimer::singleShot(0, w.cmdBrowse, &QPushButton::click);
  QTimer::singleShot(300, w.cmdCancel, &QPushButton::click);
  w.show();
  w.Start();
  EXPECT_TRUE(ended);
  EXPECT_TRUE(w.Session().Browsing());
  ASSERT_EQ(prompter.Calls().size(), 1u);  // the chooser only; the game was never offered
  EXPECT_EQ(prompter.Calls()[0].kind, ScriptedPrompter::Kind::Folder);
}

TEST_F(Fendrel, ChooserStatusLineTellsWhetherTheGameIsInTheSelectedFolder) {
  std::string game = tree.Game("game");
  std::string plain = tree.Folder("plain");
  auto file = tree.File("plain/readme.txt");
  frmFendrel w(machine, prompter, pkg);
  FolderChooserDialog chooser(&w, QStringLiteral("Select the folder where Quarvel is installed:"), w.cmdVerify);
  chooser.show();

  chooser.Select(QString::fromStdString(game));
  EXPECT_EQ(chooser.lblBrowseStatus->text(), QStringLiteral("Quarvel Found"));
  EXPECT_EQ(w.cmdVerify->toolTip(), QStringLiteral("Quarvel Found"));
  EXPECT_EQ(w.cmdVerify->property("tag").toString() + QStringLiteral("/"), QString::fromStdString(game));
  EXPECT_TRUE(chooser.cmdOK->isEnabled());
  SaveScreenshot(&chooser, QStringLiteral("dlgChooseFolder"));

  chooser.Select(QString::fromStdString(plain));
  EXPECT_EQ(chooser.lblBrowseStatus->text(), QStringLiteral("Quarvel Not Found"));
  EXPECT_TRUE(chooser.cmdOK->isEnabled());

  chooser.Select(QString::fromStdString(file.string()));
  EXPECT_EQ(chooser.lblBrowseStatus->text(), QStringLiteral("Quarvel Not Found"));
  EXPECT_FALSE(chooser.cmdOK->isEnabled());
  EXPECT_TRUE(chooser.SelectedFolder().isEmpty());
  w.Session().Cancel();
}

// The program as it starts from a package: the real machine layer over a Wine-like prefix and
// real message boxes, answered by clicking.
TEST_F(Fendrel, FindsTheGameInsideAWinePrefixAndInstallsAfterYes) {
  std::string prefix = (tree.Root() / "wine").string();
  tree.Folder("wine/drive_c/windows/system32");
  tree.Game("wine/drive_c/Program Files/Quarvel");
  tree.Folder("wine/drive_c/Program Files/Quarvel/PICTURES");
  std::string package = tree.Package("Vega", {{"Vega.bmp", "picture"}, {"Vega.zmd", "descriptor"}},
                                     "\"Vega.bmp\",\"\\PICTURES\\\"\r\n\"Vega.zmd\",\"\\ZMDescriptor\\\"\r\n");
  platform::LinuxMachine wine(prefix, (tree.Root() / "no mount table").string());
  FendrelPrompter boxes;
  frmFendrel w(wine, boxes, package);
  boxes.Attach(&w, w.cmdVerify);
  bool ended = false;
  QObject::connect(&w, &frmFendrel::programEnded, [&] { ended = true; });

  QString asked;
  std::function<void()> answer = [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
        asked = box->text();
        box->button(QMessageBox::Yes)->click();
        return;
      }
    }
    QTimer::singleShot(20, answer);
  };
  QTimer::singleShot(20, answer);
  w.show();
  ASSERT_TRUE(SpinUntil([&] { return ended; }));
  EXPECT_EQ(asked.toStdString(),
            "Do you wish to install the add on to the directory\n" + prefix + "/drive_c/Program Files/Quarvel/ ?");
  EXPECT_EQ(tree.Read("wine/drive_c/Program Files/Quarvel/PICTURES/Vega.bmp"), "picture");
  EXPECT_EQ(tree.Read("wine/drive_c/Program Files/Quarvel/ZMDescriptor/Vega.zmd"), "descriptor");
}

}  // namespace
}  // namespace zelmora::installer
