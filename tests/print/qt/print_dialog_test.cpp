#include "print/qt/spooler_printers.h"
#include "print/qt/print_dialog_form.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "report/report.h"
#include "platform/errors.h"
#include "document/preview_pages.h"
#include "print/qt/print_dialog.h"
#include "print/qt/print_dialog_pictures.h"
#include "print/qt/print_dialog_sheets.h"
#include "print/printers.h"
#include "resources/resources.h"
#include "support/qt/dialog_layout_check.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

// A queue with a fixed paper list; its own options dialog "chooses" a duplex value.
class FakePrinter : public TfrxCustomPrinter {
 public:
  FakePrinter(const std::string& name, const std::string& port, const std::vector<PrinterListEntry>& papers,
              int* propertiesDuplex)
      : TfrxCustomPrinter(name, port), propertiesDuplex_(propertiesDuplex) {
    for (const PrinterListEntry& p : papers) papers_.push_back(p);
  }
  void Initialize() override { initialized_ = true; }
  void AbortJob() override {}
  void StartJob() override {}
  void StartSheet() override {}
  void StartRawJob() override {}
  void EndJob() override {}
  void EndSheet() override {}
  void EndRawJob() override {}
  void WriteRaw(std::string_view) override {}
  void ApplyViewPaper(int code, double w, double h, TPrinterOrientation o) override {
    paper_ = code;
    paperWidth_ = w;
    paperHeight_ = h;
    orientation_ = o;
  }
  void ApplyPrintSetup(int, double, double, TPrinterOrientation, int, TfrxDuplexMode, int) override {}
  bool ShowProperties() override {
    duplexOverride_ = *propertiesDuplex_;
    return true;
  }
  // Lets a test put the user-defined size somewhere other than first.
  std::vector<PrinterListEntry>& MutablePapers() { return papers_; }

 private:
  int* propertiesDuplex_;
};

const PrinterListEntry kA4{"A4", 9}, kA3{"A3", 8}, kLetter{"Letter", 1}, kLegal{"Legal", 5};

// Office (A4, A3, Letter) on port "lpt1", Small (A4, Letter) on "usb", Legal (Legal).
struct Fixture {
  int propertiesDuplex = -1;
  std::map<std::string, std::vector<PrinterListEntry>> papers{
      {"Office", {kA4, kA3, kLetter}}, {"Small", {kA4, kLetter}}, {"Legal", {kLegal}}};
  std::unique_ptr<TfrxPrinters> printers;
  TfrxReport report{nullptr};

  Fixture() {
    PrinterSource source;
    source.enumerate = [] {
      return std::vector<PrinterSource::Queue>{{"Office", "lpt1"}, {"Small", "usb"}, {"Legal", ""}};
    };
    source.defaultName = [] { return std::string("small"); };
    source.make = [this](const PrinterSource::Queue& q) -> std::unique_ptr<TfrxCustomPrinter> {
      return std::make_unique<FakePrinter>(q.name, q.port, papers[q.name], &propertiesDuplex);
    };
    printers = std::make_unique<TfrxPrinters>(source);
  }

  std::unique_ptr<TfrxPrintDialog> Dialog() {
    auto dialog = std::make_unique<TfrxPrintDialog>(*printers);
    dialog->TargetReport = &report;
    return dialog;
  }
};

template <typename T>
T* Child(QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QLatin1String(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

void ChooseItem(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

QString Caption(QWidget* w) {
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  return QStringLiteral("?");
}

TEST(PrintDialogCreate, CaptionsComeFromTheResources) {
  Fixture f;
  auto dialog = f.Dialog();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("打印"));
  EXPECT_EQ(dialog->size(), QSize(557, 333));
  EXPECT_EQ(dialog->font().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(dialog->font().pointSize(), 8);
  const std::vector<std::pair<const char*, const char*>> captions = {
      {"Label12", "打印机"},   {"NameL", "名称:"},     {"PropButton", "属性(&P)"},
      {"WhereL", "位置:"},     {"FileCB", "输出至文件(&L)"}, {"Label1", "页 "},
      {"AllRB", "全部"},       {"CurPageRB", "本页"},  {"PageNumbersRB", "页:"},
      {"DescrL", "输入页数/文件范围，并以逗号分隔(例如:1,3,5-12)"},
      {"Label2", "份数(&C)"},  {"CopiesL", "份数"},    {"CollateCB", "自动分页(&T)"},
      {"ScaleGB", "打印模式"}, {"PagSizeL", "纸上打印"}, {"OtherGB", "其它"},
      {"PrintL", "打印"},      {"OrderL", "顺序"},     {"DuplexL", "双份"},
      {"OkB", "确定"},         {"CancelB", "取消"}};
  for (const auto& [name, text] : captions) {
    QWidget* w = Child<QWidget>(*dialog, name);
    if (w) {
      EXPECT_EQ(Caption(w), QString::fromUtf8(text)) << name;
    }
  }
}

TEST(PrintDialogCreate, ListsStartAtTheirFirstEntryAndTheCurrentPrinter) {
  Fixture f;
  auto dialog = f.Dialog();
  struct ListCase {
    const char* name;
    QStringList items;
    int index;
  };
  const std::vector<ListCase> lists = {
      {"PrintersCB", {"Office", "Small", "Legal"}, 1},
      {"PrintModeCB", {"默认", "切分大页", "连接小页", "比列"}, 0},
      {"PrintPagesCB", {"范围中所有页面", "奇数页", "偶数页"}, 0},
      {"OrderCB", {"直接 (1-9)", "反转 (9-1)"}, 0},
      {"DuplexCB", {"默认", "垂直", "水平", "Simplex"}, 0},
      {"PagPageSizeCB", {"默认", "A4", "Letter"}, 0},  // Small's papers, no user size
  };
  for (const ListCase& c : lists) {
    auto* box = Child<QComboBox>(*dialog, c.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Items(box), c.items) << c.name;
    EXPECT_EQ(box->currentIndex(), c.index) << c.name;
  }
  EXPECT_FALSE(Child<QComboBox>(*dialog, "PagPageSizeCB")->isEnabled());
  EXPECT_EQ(Child<QLabel>(*dialog, "WhereL1")->text(), QStringLiteral("usb"));
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "AllRB")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(*dialog, "CollateCB")->isChecked());
  EXPECT_EQ(Child<QSpinBox>(*dialog, "CopiesE")->text(), QStringLiteral("1"));
  EXPECT_EQ(dialog->RememberedPrinterIndex(), 1);
  // Owner-drawn rows: printers 16 pixels high at 96 dpi, print modes tall enough for
  // their 64 x 32 pictures.
  auto* printersCB = Child<QComboBox>(*dialog, "PrintersCB");
  EXPECT_EQ(printersCB->view()->sizeHintForRow(0), printersCB->logicalDpiY() > 96 ? 19 : 16);
  EXPECT_EQ(Child<QComboBox>(*dialog, "PrintModeCB")->view()->sizeHintForRow(0), 34);
}

// Options written, shown, and written back unchanged: every control carries its field.
TEST(PrintDialogOptions, ShowThenOkGivesTheSameOptions) {
  struct OptionsCase {
    int copies;
    bool collate;
    const char* pages;
    TfrxPrintPages printPages;
    bool reverse;
    TfrxPrintMode mode;
    int sheet;
    TfrxDuplexMode duplex;
  };
  const std::vector<OptionsCase> cases = {
      {1, true, "", TfrxPrintPages::ppAll, false, TfrxPrintMode::pmDefault, 256, TfrxDuplexMode::dmNone},
      {3, false, "1,3", TfrxPrintPages::ppOdd, true, TfrxPrintMode::pmSplit, 8, TfrxDuplexMode::dmVertical},
      {12, true, "2-5", TfrxPrintPages::ppEven, false, TfrxPrintMode::pmJoin, 1, TfrxDuplexMode::dmHorizontal},
      {9999, false, "", TfrxPrintPages::ppAll, true, TfrxPrintMode::pmScale, 9, TfrxDuplexMode::dmSimplex},
  };
  for (const OptionsCase& c : cases) {
    SCOPED_TRACE(c.copies);
    Fixture f;
    f.printers->SetCurrentIndex(0);  // Office has A3
    TfrxPrintOptions& o = f.report.PrintOptions();
    o.SetCopies(c.copies);
    o.SetCollate(c.collate);
    o.SetPageNumbers(c.pages);
    o.SetPrintPages(c.printPages);
    o.SetReverse(c.reverse);
    o.SetPrintMode(c.mode);
    o.SetPrintOnSheet(c.sheet);
    auto dialog = f.Dialog();
    dialog->DuplexChoice = c.duplex;
    dialog->FormShow();
    EXPECT_EQ(Child<QRadioButton>(*dialog, "PageNumbersRB")->isChecked(), std::string(c.pages) != "");
    EXPECT_EQ(Child<QLineEdit>(*dialog, "PageNumbersE")->text(), QString::fromUtf8(c.pages));
    o = TfrxPrintOptions();
    o.SetCopies(0);
    dialog->DuplexChoice = TfrxDuplexMode::dmNone;
    ASSERT_EQ(dialog->FormHide(QDialog::Accepted), QDialog::Accepted);
    EXPECT_EQ(o.Copies(), c.copies);
    EXPECT_EQ(o.Collate(), c.collate);
    EXPECT_EQ(o.PageNumbers(), c.pages);
    EXPECT_EQ(o.PrintPages(), c.printPages);
    EXPECT_EQ(o.Reverse(), c.reverse);
    EXPECT_EQ(o.PrintMode(), c.mode);
    EXPECT_EQ(o.PrintOnSheet(), c.sheet);
    EXPECT_EQ(dialog->DuplexChoice, c.duplex);
  }
}

TEST(PrintDialogOptions, PageRangeFollowsTheChosenRadio) {
  struct RangeCase {
    const char* radio;
    const char* typed;
    const char* expected;
  };
  const std::vector<RangeCase> cases = {
      {"AllRB", "4-6", ""}, {"CurPageRB", "4-6", "7"}, {"PageNumbersRB", "4-6", "4-6"}};
  for (const RangeCase& c : cases) {
    Fixture f;
    f.report.PreviewPages().CurrentPreviewPage = 7;
    auto dialog = f.Dialog();
    dialog->FormShow();
    Child<QLineEdit>(*dialog, "PageNumbersE")->setText(QString::fromUtf8(c.typed));
    Child<QRadioButton>(*dialog, c.radio)->setChecked(true);
    ASSERT_EQ(dialog->FormHide(QDialog::Accepted), QDialog::Accepted);
    EXPECT_EQ(f.report.PrintOptions().PageNumbers(), c.expected) << c.radio;
  }
}

TEST(PrintDialogOptions, EnteringThePageListSelectsItsRadio) {
  Fixture f;
  auto dialog = f.Dialog();
  auto* edit = Child<QLineEdit>(*dialog, "PageNumbersE");
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(edit, &focusIn);
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "PageNumbersRB")->isChecked());
}

TEST(PrintDialogOptions, PrintModeSwitchesTheSheetPaper) {
  Fixture f;
  auto dialog = f.Dialog();
  dialog->FormShow();
  auto* mode = Child<QComboBox>(*dialog, "PrintModeCB");
  auto* sheet = Child<QComboBox>(*dialog, "PagPageSizeCB");
  ChooseItem(mode, static_cast<int>(TfrxPrintMode::pmSplit));
  EXPECT_TRUE(sheet->isEnabled());
  EXPECT_EQ(sheet->currentText(), QStringLiteral("A4"));
  ChooseItem(sheet, 2);  // Letter stays when another non-default mode is chosen
  ChooseItem(mode, static_cast<int>(TfrxPrintMode::pmScale));
  EXPECT_EQ(sheet->currentText(), QStringLiteral("Letter"));
  ChooseItem(mode, static_cast<int>(TfrxPrintMode::pmDefault));
  EXPECT_FALSE(sheet->isEnabled());
  EXPECT_EQ(sheet->currentIndex(), 0);
  ASSERT_EQ(dialog->FormHide(QDialog::Accepted), QDialog::Accepted);
  EXPECT_EQ(f.report.PrintOptions().PrintOnSheet(), 256);  // "默认" is no paper of the printer
}

TEST(PrintDialogPrinters, SwitchingPrinterKeepsTheSheetPaperWhenOffered) {
  struct SwitchCase {
    const char* sheet;  // chosen on Office
    int to;             // printer switched to
    const char* kept;
  };
  const std::vector<SwitchCase> cases = {
      {"Letter", 1, "Letter"}, {"A3", 1, "默认"}, {"A4", 2, "默认"}, {"默认", 1, "默认"}};
  for (const SwitchCase& c : cases) {
    Fixture f;
    f.printers->SetCurrentIndex(0);
    auto dialog = f.Dialog();
    dialog->FormShow();
    ChooseItem(Child<QComboBox>(*dialog, "PrintModeCB"), 1);
    auto* sheet = Child<QComboBox>(*dialog, "PagPageSizeCB");
    ChooseItem(sheet, sheet->findText(QString::fromUtf8(c.sheet)));
    auto* printersCB = Child<QComboBox>(*dialog, "PrintersCB");
    ChooseItem(printersCB, c.to);
    EXPECT_EQ(f.printers->CurrentIndex(), c.to);
    EXPECT_EQ(sheet->currentText(), QString::fromUtf8(c.kept)) << c.sheet << " to " << c.to;
    EXPECT_EQ(Child<QLabel>(*dialog, "WhereL1")->text(), QString::fromStdString(f.printers->CurrentPrinter()->Port()));
  }
}

TEST(PrintDialogPrinters, CancelReturnsToThePrinterOfBeforeAndOkKeepsTheNewOne) {
  for (int result : {QDialog::Rejected, QDialog::Accepted}) {
    Fixture f;
    auto dialog = f.Dialog();
    ChooseItem(Child<QComboBox>(*dialog, "PrintersCB"), 2);
    EXPECT_EQ(dialog->FormHide(result), result);
    EXPECT_EQ(f.printers->CurrentIndex(), result == QDialog::Accepted ? 2 : 1);
  }
}

TEST(PrintDialogPrinters, PrintToFileAsksForAPrnFile) {
  struct FileCase {
    const char* chosen;  // empty: the chooser is cancelled
    int result;
    const char* output;
  };
  const std::vector<FileCase> cases = {{"/tmp/out.pdf", QDialog::Accepted, "/tmp/out.prn"},
                                       {"/tmp/v1.2/out", QDialog::Accepted, "/tmp/v1.2/out.prn"},
                                       {"", QDialog::Rejected, ""}};
  for (const FileCase& c : cases) {
    Fixture f;
    auto dialog = f.Dialog();
    ChooseItem(Child<QComboBox>(*dialog, "PrintersCB"), 0);
    f.printers->CurrentPrinter()->SetOutputFileName("stale.prn");
    Child<QCheckBox>(*dialog, "FileCB")->setChecked(true);
    QString title, filter;
    dialog->SetFileChooser([&](QWidget*, const QString& t, const QString& fl) {
      title = t;
      filter = fl;
      return QString::fromUtf8(c.chosen);
    });
    EXPECT_EQ(dialog->FormHide(QDialog::Accepted), c.result) << c.chosen;
    EXPECT_EQ(title, QStringLiteral("打印至文件"));
    EXPECT_EQ(filter, QStringLiteral("打印机文件 (*.prn)"));
    EXPECT_EQ(f.printers->CurrentPrinter()->OutputFileName(), c.output);
    EXPECT_EQ(f.printers->CurrentIndex(), 0);  // a cancelled file keeps the printer chosen
  }
}

TEST(PrintDialogCopies, TheEditTakesDigitsOnly) {
  Fixture f;
  auto dialog = f.Dialog();
  auto* copies = Child<QSpinBox>(*dialog, "CopiesE");
  copies->findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(copies, QStringLiteral("1x2-3 4"));
  EXPECT_EQ(copies->text(), QStringLiteral("1234"));
  ASSERT_EQ(dialog->FormHide(QDialog::Accepted), QDialog::Accepted);
  EXPECT_EQ(f.report.PrintOptions().Copies(), 1234);
}

TEST(PrintDialogCopies, AnEmptyCountIsAConversionErrorThatKeepsTheDialogOpen) {
  Fixture f;
  std::vector<std::string> errors;
  TfrxResources::SetErrorBoxHandler([&](const std::string&, const std::string& m) { errors.push_back(m); });
  auto dialog = f.Dialog();
  f.report.PrintOptions().SetCopies(5);
  auto* copies = Child<QSpinBox>(*dialog, "CopiesE");
  dialog->show();
  copies->findChild<QLineEdit*>()->clear();
  EXPECT_THROW(dialog->FormHide(QDialog::Accepted), EConvertError);
  EXPECT_EQ(f.report.PrintOptions().Copies(), 5);  // nothing written
  dialog->accept();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(errors, std::vector<std::string>{"'' is not a valid integer value"});
  dialog->reject();
  EXPECT_FALSE(dialog->isVisible());
  TfrxResources::SetErrorBoxHandler(nullptr);
}

TEST(PrintDialogPrinters, DuplexChosenInTheQueueOptionsReachesTheList) {
  struct DuplexCase {
    int platformValue;
    int listIndex;  // stays 0 when the value names no list entry
  };
  const std::vector<DuplexCase> cases = {{1, 3}, {2, 1}, {3, 2}, {-1, 0}, {0, 0}, {7, 0}};
  for (const DuplexCase& c : cases) {
    Fixture f;
    f.propertiesDuplex = c.platformValue;
    auto dialog = f.Dialog();
    Child<QPushButton>(*dialog, "PropButton")->click();
    EXPECT_EQ(Child<QComboBox>(*dialog, "DuplexCB")->currentIndex(), c.listIndex) << c.platformValue;
    EXPECT_EQ(static_cast<int>(dialog->DuplexChoice), c.listIndex) << c.platformValue;
  }
}

TEST(PrintDialogPrinters, AStandInPrinterWithoutQueuesKeepsWorking) {
  PrinterSource none;
  none.enumerate = [] { return std::vector<PrinterSource::Queue>{}; };
  none.defaultName = [] { return std::string(); };
  none.make = [](const PrinterSource::Queue&) { return std::unique_ptr<TfrxCustomPrinter>(); };
  TfrxPrinters printers(none);
  TfrxReport report(nullptr);
  TfrxPrintDialog dialog(printers);
  dialog.TargetReport = &report;
  EXPECT_EQ(Child<QComboBox>(dialog, "PrintersCB")->count(), 0);
  EXPECT_EQ(dialog.FormHide(QDialog::Rejected), QDialog::Rejected);
  ASSERT_NE(printers.CurrentPrinter(), nullptr);  // the virtual printer is still current
}

TEST(PrintDialogSheets, IndexSkipsTheUserSizeWhereverItStands) {
  int unused = -1;
  FakePrinter printer("P", "", {}, &unused);
  // A4, user size, A3: the sheet list is 默认, A4, A3.
  printer.MutablePapers() = {kA4, {"自定", 256}, kA3};
  EXPECT_EQ(SheetPaperNames(printer), (std::vector<std::string>{"默认", "A4", "A3"}));
  const std::vector<std::pair<int, int>> cases = {{9, 1}, {8, 2}, {256, 0}, {-1, 0}, {5, 0}};
  for (const auto& [code, index] : cases) EXPECT_EQ(SheetPaperIndex(printer, code), index) << code;
}

TEST(PrintDialogHelpers, CopiesTextsAndFileNames) {
  const std::vector<std::pair<const char*, int>> copies = {{"1", 1},     {"0", 0},   {"", 0},    {"12a", 0},
                                                           {"9999", 9999}, {"10000", 0}, {"-3", 0},
                                                           {"99999999999999999999", 0}};
  for (const auto& [text, expected] : copies) {
    int value = 0;
    EXPECT_EQ(ParseCopies(text, 9999, value), expected != 0) << text;
    if (expected) {
      EXPECT_EQ(value, expected) << text;
    }
  }
  const std::vector<std::pair<const char*, const char*>> names = {
      {"a.pdf", "a.prn"}, {"a", "a.prn"}, {"/x.y/a", "/x.y/a.prn"}, {"/x/a.b.c", "/x/a.b.prn"}};
  for (const auto& [in, out] : names) EXPECT_EQ(ChangeFileExt(in, ".prn"), out) << in;
  EXPECT_EQ(QtFileFilter(QStringLiteral("Printer (*.prn)|*.prn|All|*.a;*.b")),
            QStringLiteral("Printer (*.prn);;All (*.a *.b)"));
}

TEST(PrintDialogPictures, EachChoiceHasAPictureOfItsOwn) {
  const QImage collate = CollatePicture(true), separate = CollatePicture(false);
  EXPECT_EQ(collate.size(), QSize(kCollatePictureWidth, kCollatePictureHeight));
  EXPECT_NE(collate, separate);
  std::vector<QImage> modes;
  for (TfrxPrintMode m : {TfrxPrintMode::pmDefault, TfrxPrintMode::pmSplit, TfrxPrintMode::pmJoin,
                          TfrxPrintMode::pmScale}) {
    modes.push_back(PrintModePicture(m));
    EXPECT_EQ(modes.back().size(), QSize(64, 32));
    for (std::size_t i = 0; i + 1 < modes.size(); ++i) EXPECT_NE(modes[i], modes.back());
  }
}

TEST(PrintDialogLayout, EveryControlHasRoomForItsCaption) {
  Fixture f;
  f.printers->SetCurrentIndex(0);
  f.report.PrintOptions().SetPrintMode(TfrxPrintMode::pmSplit);
  f.report.PrintOptions().SetPageNumbers("1,3,5-12");
  auto dialog = f.Dialog();
  dialog->FormShow();
  EXPECT_EQ(testing::DialogLayoutFaults(*dialog), std::vector<std::string>{});
  EXPECT_FALSE(testing::SaveDialogPicture(*dialog, QStringLiteral("print_dialog")).isEmpty());
  Child<QCheckBox>(*dialog, "CollateCB")->setChecked(false);
  EXPECT_FALSE(testing::SaveDialogPicture(*dialog, QStringLiteral("print_dialog_uncollated")).isEmpty());
}

TEST(PrintDialogWindow, PageListRadioFocusesTheEditAndF1OpensHelp) {
  std::vector<std::string> asked;
  TfrxResources::SetHelpHandler([&](const std::string& location) { asked.push_back(location); });
  Fixture f;
  auto dialog = f.Dialog();
  dialog->show();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  Child<QRadioButton>(*dialog, "PageNumbersRB")->click();
  EXPECT_TRUE(Child<QLineEdit>(*dialog, "PageNumbersE")->hasFocus());
  QTest::keyClick(Child<QLineEdit>(*dialog, "PageNumbersE"), Qt::Key_F1);
  EXPECT_EQ(asked, std::vector<std::string>{frxResources().HelpLocation("TfrxPrintDialog")});
  TfrxResources::SetHelpHandler(nullptr);
}

TEST(PrintDialogWindow, RightToLeftMirrorsTheControls) {
  QApplication::setLayoutDirection(Qt::RightToLeft);
  Fixture f;
  auto dialog = f.Dialog();
  QApplication::setLayoutDirection(Qt::LeftToRight);
  const std::vector<std::pair<const char*, int>> places = {{"Label12", 8}, {"PropButton", 12}, {"OkB", 92},
                                                           {"Label2", 8}, {"Label1", 279}};
  for (const auto& [name, x] : places) EXPECT_EQ(Child<QWidget>(*dialog, name)->x(), x) << name;
  EXPECT_EQ(testing::DialogLayoutFaults(*dialog), std::vector<std::string>{});
}

// The modal run as the print job calls it, on the machine's own printers: without any it
// says so and prints nothing; with a queue, OK confirms and hands back the duplex choice.
TEST(PrintDialogRun, ConfirmsOnlyWhenAPrinterExists) {
  std::vector<std::string> errors;
  TfrxResources::SetErrorBoxHandler([&](const std::string&, const std::string& m) { errors.push_back(m); });
  TfrxReport report(nullptr);
  TfrxDuplexMode duplex = TfrxDuplexMode::dmNone;
  const bool realPrinters = GlobalPrinters().HasRealPrinters();
  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    sawDialog = true;
    auto* duplexCB = dialog->findChild<QComboBox*>(QStringLiteral("DuplexCB"));
    duplexCB->setCurrentIndex(2);
    dialog->findChild<QSpinBox*>(QStringLiteral("CopiesE"))->setValue(4);
    dialog->findChild<QPushButton*>(QStringLiteral("OkB"))->click();
  });
  const bool confirmed = ShowPrintDialog(report, duplex);
  TfrxResources::SetErrorBoxHandler(nullptr);
  if (!realPrinters) {
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(errors, std::vector<std::string>{"在你的系统没有安装打印机"});
    QApplication::processEvents();
    EXPECT_FALSE(sawDialog);
    return;
  }
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(duplex, TfrxDuplexMode::dmHorizontal);
  EXPECT_EQ(report.PrintOptions().Copies(), 4);
}

// The queue of the test spooler as the dialog shows it: listed, its papers offered as
// sheets without the user size, and a print to file ending in ".prn".
TEST(PrintDialogSpooler, ShowsTheTestQueueAndItsPapers) {
  QUARLO_REQUIRE_SPOOLER(queue);
  TfrxPrinters printers(SpoolerPrinterSource());
  const int index = printers.IndexOfName(queue->name);
  ASSERT_GE(index, 0);
  TfrxReport report(nullptr);
  TfrxPrintDialog dialog(printers);
  dialog.TargetReport = &report;
  dialog.FormShow();
  ChooseItem(Child<QComboBox>(dialog, "PrintersCB"), index);
  TfrxCustomPrinter* printer = printers.CurrentPrinter();
  ASSERT_TRUE(printer && printer->Initialized());
  auto* sheet = Child<QComboBox>(dialog, "PagPageSizeCB");
  EXPECT_EQ(sheet->count(), static_cast<int>(printer->Papers().size()));  // 自定 out, 默认 in
  EXPECT_EQ(sheet->findText(QStringLiteral("自定")), -1);
  ChooseItem(Child<QComboBox>(dialog, "PrintModeCB"), static_cast<int>(TfrxPrintMode::pmScale));
  EXPECT_EQ(printer->PaperCodeOf(sheet->currentText().toStdString()), 9);
  Child<QCheckBox>(dialog, "FileCB")->setChecked(true);
  dialog.SetFileChooser([](QWidget*, const QString&, const QString&) { return QStringLiteral("/tmp/job.pdf"); });
  testing::SaveDialogPicture(dialog, QStringLiteral("print_dialog_spooler"));
  ASSERT_EQ(dialog.FormHide(QDialog::Accepted), QDialog::Accepted);
  EXPECT_EQ(printer->OutputFileName(), "/tmp/job.prn");
  EXPECT_EQ(report.PrintOptions().PrintMode(), TfrxPrintMode::pmScale);
  EXPECT_EQ(report.PrintOptions().PrintOnSheet(), 9);
}

}  // namespace
}  // namespace quarlo
