#include "preview/page_settings_form_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "report/report.h"
#include "platform/settings_store.h"
#include "platform/errors.h"
#include "objects/report_page.h"
#include "preview/page_settings_form.h"
#include "preview/page_settings_units.h"
#include "print/printers.h"
#include "print/virtual_printer.h"
#include "resources/resources.h"
#include "support/qt/dialog_layout_check.h"

namespace quarlo {
namespace {

// The built-in paper table with names for the papers the tests choose.
class NamedPaperPrinter : public TfrxVirtualPrinter {
 public:
  using TfrxVirtualPrinter::TfrxVirtualPrinter;
  void Initialize() override {
    TfrxVirtualPrinter::Initialize();
    const std::map<int, std::string> names{{1, "Letter"}, {8, "A3"}, {9, "A4"}, {11, "A5"}};
    for (PrinterListEntry& p : papers_) {
      const auto it = names.find(p.code);
      p.name = it != names.end() ? it->second : p.name.empty() ? "Paper " + std::to_string(p.code) : p.name;
    }
  }
};

PrinterSource Source(bool withQueue) {
  PrinterSource s;
  s.enumerate = [withQueue] {
    return withQueue ? std::vector<PrinterSource::Queue>{{"Office", ""}} : std::vector<PrinterSource::Queue>{};
  };
  s.defaultName = [] { return std::string("Office"); };
  s.make = [](const PrinterSource::Queue& q) -> std::unique_ptr<TfrxCustomPrinter> {
    return std::make_unique<NamedPaperPrinter>(q.name, q.port);
  };
  return s;
}

// Settings held in memory; Units as the test sets it.
class MemoryStore : public SettingsStoreBase {
 public:
  explicit MemoryStore(std::map<std::string, std::string> values) : values_(std::move(values)) {}
  bool ValueExists(const std::string& section, const std::string& key) const override {
    return values_.count(section + "/" + key) > 0;
  }
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const override {
    const auto it = values_.find(section + "/" + key);
    return it == values_.end() ? def : it->second;
  }
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    values_[section + "/" + key] = value;
  }

 private:
  std::map<std::string, std::string> values_;
};

class PageSettingsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetSettingsStoreFactory(nullptr);
    TfrxResources::SetErrorBoxHandler(nullptr);
  }

  // units: the stored text of Units, none for an absent key.
  void UseUnits(std::optional<std::string> units) {
    std::map<std::string, std::string> values;
    if (units) values["Form.TfrxDesignerForm/Units"] = *units;
    SetSettingsStoreFactory([values](const std::string&) { return std::make_unique<MemoryStore>(values); });
  }

  std::unique_ptr<TfrxPageSettingsForm> Form(bool withQueue = true) {
    printers = std::make_unique<TfrxPrinters>(Source(withQueue));
    auto form = std::make_unique<TfrxPageSettingsForm>(page, report, *printers);
    form->FormShow();
    return form;
  }

  QString Text(QWidget& form, const char* name) {
    auto* edit = form.findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit ? edit->text() : QString();
  }

  void Type(QWidget& form, const char* name, const QString& text) {
    auto* edit = form.findChild<QLineEdit*>(QLatin1String(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  QComboBox* SizeCB(QWidget& form) { return form.findChild<QComboBox*>(QStringLiteral("SizeCB")); }

  void ChoosePaper(QWidget& form, const QString& name) {
    QComboBox* box = SizeCB(form);
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  void Click(QWidget& form, const char* radio) {
    auto* button = form.findChild<QRadioButton*>(QLatin1String(radio));
    ASSERT_NE(button, nullptr) << radio;
    button->click();
  }

  TfrxReport report{nullptr};
  TfrxReportPage page{nullptr};
  std::unique_ptr<TfrxPrinters> printers;
};

TEST_F(PageSettingsTest, CaptionsAndThePrintersPaperList) {
  UseUnits(std::nullopt);
  auto form = Form();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("页面设置"));
  EXPECT_EQ(form->size(), QSize(286, 359));
  const std::vector<std::pair<const char*, const char*>> captions = {
      {"SizeL", "纸张大小"},  {"WidthL", "宽度"},      {"HeightL", "高度"},   {"OrientationL", "打印方向"},
      {"PortraitRB", "纵向"}, {"LandscapeRB", "横向"}, {"MarginsL", "边距"},  {"LeftL", "左"},
      {"TopL", "上"},         {"RightL", "右"},        {"BottomL", "下"},     {"OtherL", "其它"},
      {"ApplyToCurRB", "套用本页"}, {"ApplyToAllRB", "套用全部页面"}, {"OKB", "确定"}, {"CancelB", "取消"}};
  for (const auto& [name, text] : captions) {
    QWidget* w = form->findChild<QWidget*>(QLatin1String(name));
    ASSERT_NE(w, nullptr) << name;
    QString caption;
    if (auto* g = qobject_cast<QGroupBox*>(w)) caption = g->title();
    if (auto* l = qobject_cast<QLabel*>(w)) caption = l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) caption = b->text();
    EXPECT_EQ(caption, QString::fromUtf8(text)) << name;
  }
  const auto& papers = printers->CurrentPrinter()->Papers();
  ASSERT_EQ(SizeCB(*form)->count(), static_cast<int>(papers.size()));
  EXPECT_EQ(SizeCB(*form)->itemText(0), QStringLiteral("自定"));
  EXPECT_EQ(SizeCB(*form)->currentText(), QStringLiteral("A4"));
  EXPECT_TRUE(form->findChild<QRadioButton*>(QStringLiteral("PortraitRB"))->isChecked());
  EXPECT_TRUE(form->findChild<QRadioButton*>(QStringLiteral("ApplyToCurRB"))->isChecked());
}

TEST_F(PageSettingsTest, ValuesShowInTheStoredUnit) {
  struct UnitCase {
    std::optional<std::string> stored;
    const char* width;
    const char* height;
    const char* margin;
    const char* label;
  };
  const std::vector<UnitCase> cases = {
      {std::nullopt, "21", "29.70", "1", "cm"}, {"0", "21", "29.70", "1", "cm"},
      {"1", "8.27", "11.69", "0.39", "in"},     {"2", "21", "29.70", "1", "cm"},
      {"3", "21", "29.70", "1", "cm"},          {"x", "21", "29.70", "1", "cm"},
      // An unknown unit shows no unit name; its values stay readable as centimetres.
      {"7", "21", "29.70", "1", ""}};
  for (const UnitCase& c : cases) {
    SCOPED_TRACE(c.stored.value_or("absent"));
    page.SetLeftMargin(10);
    page.SetRightMargin(10);
    page.SetTopMargin(10);
    page.SetBottomMargin(10);
    UseUnits(c.stored);
    auto form = Form();
    EXPECT_EQ(Text(*form, "WidthE"), QString::fromUtf8(c.width));
    EXPECT_EQ(Text(*form, "HeightE"), QString::fromUtf8(c.height));
    for (const char* margin : {"MarginLeftE", "MarginTopE", "MarginRightE", "MarginBottomE"})
      EXPECT_EQ(Text(*form, margin), QString::fromUtf8(c.margin)) << margin;
    for (const char* unit : {"UnitL1", "UnitL2", "UnitL3", "UnitL4", "UnitL5", "UnitL6"})
      EXPECT_EQ(form->findChild<QLabel*>(QLatin1String(unit))->text(), QString::fromUtf8(c.label)) << unit;
    // OK writes back what was shown, in millimetres.
    form->FormHide();
    EXPECT_NEAR(page.PaperWidth(), 210, c.stored == "1" ? 0.1 : 1e-9);
    EXPECT_NEAR(page.LeftMargin(), 10, c.stored == "1" ? 0.1 : 1e-9);
    page.SetPaperSize(9);
  }
}

TEST_F(PageSettingsTest, OrientationTurnsAStandardPaperAndSwapsAUserSize) {
  UseUnits("0");
  auto form = Form();
  Click(*form, "LandscapeRB");
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("29.70"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("21"));
  EXPECT_TRUE(form->findChild<QLabel*>(QStringLiteral("LandscapeImg"))->isVisibleTo(form.get()));
  EXPECT_FALSE(form->findChild<QLabel*>(QStringLiteral("PortraitImg"))->isVisibleTo(form.get()));

  Type(*form, "WidthE", QStringLiteral("12"));
  Type(*form, "HeightE", QStringLiteral("18,5"));
  EXPECT_EQ(SizeCB(*form)->currentIndex(), 0);  // typing makes the size the user's own
  Click(*form, "PortraitRB");
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("18.50"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("12"));
  EXPECT_TRUE(form->findChild<QLabel*>(QStringLiteral("PortraitImg"))->isVisibleTo(form.get()));
  Click(*form, "LandscapeRB");
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("12"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("18.50"));

  ChoosePaper(*form, QStringLiteral("A5"));
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("21"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("14.80"));
  EXPECT_EQ(SizeCB(*form)->currentText(), QStringLiteral("A5"));  // its own edits keep the choice
}

TEST_F(PageSettingsTest, OkEditsThePageInPlace) {
  struct EditCase {
    const char* paper;  // chosen after typing, or null to keep the typed user size
    const char* orientationRB;
    int paperSize;
    double width, height;
  };
  const std::vector<EditCase> cases = {
      {"A3", "LandscapeRB", 8, 420, 297},
      {"Letter", "PortraitRB", 1, 215.9, 279.4},
      {nullptr, "PortraitRB", 256, 123.4, 150},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.paperSize);
    UseUnits("0");
    TfrxReportPage fresh(nullptr);
    auto form = std::make_unique<TfrxPageSettingsForm>(fresh, report, *(printers = std::make_unique<TfrxPrinters>(Source(true))));
    form->FormShow();
    Click(*form, c.orientationRB);
    Type(*form, "WidthE", QStringLiteral("12.34"));
    Type(*form, "HeightE", QStringLiteral("15"));
    if (c.paper) ChoosePaper(*form, QString::fromUtf8(c.paper));
    Type(*form, "MarginLeftE", QStringLiteral("1"));
    Type(*form, "MarginRightE", QStringLiteral("1.5"));
    Type(*form, "MarginTopE", QStringLiteral("2"));
    Type(*form, "MarginBottomE", QStringLiteral(" 2 , 5"));
    form->FormHide();
    EXPECT_EQ(fresh.PaperSize(), c.paperSize);
    EXPECT_NEAR(fresh.PaperWidth(), c.width, 1e-6);
    EXPECT_NEAR(fresh.PaperHeight(), c.height, 1e-6);
    EXPECT_EQ(fresh.Orientation(), std::string(c.orientationRB) == "LandscapeRB" ? TPrinterOrientation::poLandscape
                                                                                 : TPrinterOrientation::poPortrait);
    EXPECT_DOUBLE_EQ(fresh.LeftMargin(), 10);
    EXPECT_DOUBLE_EQ(fresh.RightMargin(), 15);
    EXPECT_DOUBLE_EQ(fresh.TopMargin(), 20);
    EXPECT_DOUBLE_EQ(fresh.BottomMargin(), 25);
    EXPECT_NEAR(fresh.Width(), c.width * 3.77953, 0.5);  // the page's own size followed
  }
}

TEST_F(PageSettingsTest, ApplyToAllIsTheCallersToRead) {
  UseUnits("0");
  auto form = Form();
  EXPECT_FALSE(form->ApplyToAll());
  Click(*form, "ApplyToAllRB");
  EXPECT_TRUE(form->ApplyToAll());
}

TEST_F(PageSettingsTest, TextThatIsNoNumberLeavesThePageAndKeepsTheDialogOpen) {
  UseUnits("0");
  std::vector<std::string> errors;
  TfrxResources::SetErrorBoxHandler([&](const std::string&, const std::string& m) { errors.push_back(m); });
  for (const char* edit : {"WidthE", "MarginBottomE"}) {
    auto form = Form();
    Type(*form, "MarginLeftE", QStringLiteral("3"));
    Type(*form, edit, QStringLiteral("2x"));
    EXPECT_THROW(form->FormHide(), EConvertError) << edit;
    EXPECT_DOUBLE_EQ(page.LeftMargin(), 0) << edit;  // nothing written
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210) << edit;
    form->show();
    form->accept();
    EXPECT_TRUE(form->isVisible()) << edit;
    form->reject();
  }
  EXPECT_EQ(errors.size(), 2u);
  // A paper side of zero is refused the same way.
  auto form = Form();
  Type(*form, "HeightE", QStringLiteral("0"));
  EXPECT_THROW(form->FormHide(), EConvertError);
}

TEST_F(PageSettingsTest, WithoutPrintersTheBuiltInPapersHaveTheirNamesAndSizes) {
  UseUnits("0");
  auto form = Form(false);
  QComboBox* box = SizeCB(*form);
  ASSERT_EQ(box->count(), 67);
  EXPECT_EQ(box->itemText(0), QStringLiteral("自定"));
  EXPECT_EQ(box->currentText(), QStringLiteral("A4"));  // the page's paper, found by its code
  struct Choice {
    const char* name;
    const char* width;
    const char* height;
  } choices[] = {{"C4 信封", "22.90", "32.40"}, {"信纸", "21.59", "27.94"}, {"A5", "14.80", "21"}};
  for (const Choice& c : choices) {
    SCOPED_TRACE(c.name);
    ChoosePaper(*form, QString::fromUtf8(c.name));
    EXPECT_EQ(Text(*form, "WidthE"), QString::fromUtf8(c.width));
    EXPECT_EQ(Text(*form, "HeightE"), QString::fromUtf8(c.height));
  }
}

// OK with nothing touched leaves the page exactly as it was, in every unit, whatever the
// rounding of the texts shown.
TEST_F(PageSettingsTest, OkOnUnchangedFieldsChangesNothing) {
  struct Case {
    const char* units;
    int paper;
    TPrinterOrientation orientation;
    double margin;
  } cases[] = {
      {"0", 9, TPrinterOrientation::poPortrait, 10},
      {"1", 9, TPrinterOrientation::poPortrait, 10},
      {"1", 9, TPrinterOrientation::poLandscape, 7.5},
      {"0", 11, TPrinterOrientation::poLandscape, 3.33},
      {"1", 1, TPrinterOrientation::poPortrait, 12.7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "units " << c.units << ", paper " << c.paper);
    UseUnits(c.units);
    TfrxReportPage edited(nullptr);
    edited.SetPaperSize(c.paper);
    edited.SetOrientation(c.orientation);
    for (auto set : {&TfrxReportPage::SetLeftMargin, &TfrxReportPage::SetTopMargin, &TfrxReportPage::SetRightMargin,
                     &TfrxReportPage::SetBottomMargin})
      (edited.*set)(c.margin);
    auto settings = [&] {
      return std::make_tuple(edited.PaperSize(), edited.Orientation(), edited.PaperWidth(), edited.PaperHeight(),
                             edited.LeftMargin(), edited.TopMargin(), edited.RightMargin(), edited.BottomMargin());
    };
    const auto before = settings();
    printers = std::make_unique<TfrxPrinters>(Source(false));
    TfrxPageSettingsForm form(edited, report, *printers);
    form.FormShow();
    form.FormHide();
    EXPECT_TRUE(settings() == before);
    EXPECT_EQ(edited.PaperSize(), c.paper);
  }
}

TEST_F(PageSettingsTest, WithoutPrintersOrientationAndTheUserSizeKeepTheValues) {
  UseUnits("0");
  // A landscape A4 page shows A4 across.
  page.SetOrientation(TPrinterOrientation::poLandscape);
  auto form = Form(false);
  EXPECT_EQ(SizeCB(*form)->currentText(), QStringLiteral("A4"));
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("29.70"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("21"));
  Click(*form, "PortraitRB");
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("21"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("29.70"));
  Click(*form, "LandscapeRB");
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("29.70"));
  // Choosing the user size keeps the values and the orientation; turning it then
  // exchanges them.
  ChoosePaper(*form, QStringLiteral("自定"));
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("29.70"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("21"));
  EXPECT_TRUE(form->findChild<QRadioButton*>(QStringLiteral("LandscapeRB"))->isChecked());
  Click(*form, "PortraitRB");
  EXPECT_EQ(Text(*form, "WidthE"), QStringLiteral("21"));
  EXPECT_EQ(Text(*form, "HeightE"), QStringLiteral("29.70"));
  form->FormHide();
  EXPECT_EQ(page.PaperSize(), 256);
  EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
  EXPECT_DOUBLE_EQ(page.PaperHeight(), 297);
}

TEST_F(PageSettingsTest, EveryControlHasRoomForItsCaption) {
  for (const char* units : {"0", "1"}) {
    UseUnits(units);
    auto form = Form();
    EXPECT_EQ(testing::DialogLayoutFaults(*form), std::vector<std::string>{}) << units;
    EXPECT_FALSE(
        testing::SaveDialogPicture(*form, QStringLiteral("page_settings_portrait%1").arg(QLatin1String(units))).isEmpty());
    Click(*form, "LandscapeRB");
    EXPECT_EQ(testing::DialogLayoutFaults(*form), std::vector<std::string>{}) << units;
    EXPECT_FALSE(
        testing::SaveDialogPicture(*form, QStringLiteral("page_settings_units%1").arg(QLatin1String(units))).isEmpty());
  }
}

// The modal run as the preview's page setup calls it: the user's choice comes back, and
// only OK edits the page.
TEST_F(PageSettingsTest, ModalRunReportsTheChoiceAndEditsOnlyOnOk) {
  struct RunCase {
    const char* scope;
    const char* button;
    bool accepted, applyToAll;
  };
  const std::vector<RunCase> cases = {{"ApplyToAllRB", "OKB", true, true},
                                      {"ApplyToCurRB", "OKB", true, false},
                                      {"ApplyToAllRB", "CancelB", false, false}};
  for (const RunCase& c : cases) {
    UseUnits("0");
    TfrxReportPage edited(nullptr);
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QRadioButton*>(QLatin1String(c.scope))->click();
      Type(*dialog, "MarginTopE", QStringLiteral("3"));
      dialog->findChild<QPushButton*>(QLatin1String(c.button))->click();
    });
    const PageSettingsResult result = ShowPageSettingsForm(edited, report);
    EXPECT_EQ(result.Accepted, c.accepted) << c.scope << c.button;
    EXPECT_EQ(result.ApplyToAll, c.applyToAll) << c.scope << c.button;
    EXPECT_DOUBLE_EQ(edited.TopMargin(), c.accepted ? 30 : 0) << c.scope << c.button;
  }
}

TEST_F(PageSettingsTest, F1OpensHelp) {
  std::vector<std::string> asked;
  TfrxResources::SetHelpHandler([&](const std::string& location) { asked.push_back(location); });
  UseUnits("0");
  auto form = Form();
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form->findChild<QLineEdit*>(QStringLiteral("WidthE")), Qt::Key_F1);
  EXPECT_EQ(asked, std::vector<std::string>{frxResources().HelpLocation("TfrxPageSettingsForm")});
  TfrxResources::SetHelpHandler(nullptr);
}

TEST(PageSettingsUnits, ConversionsAndTexts) {
  struct ConvCase {
    double mm;
    int unit;
    double value;
  };
  for (const ConvCase& c : std::vector<ConvCase>{{254, 1, 10}, {297, 0, 29.7}, {15, 2, 1.5}, {15, 3, 1.5}})
    EXPECT_DOUBLE_EQ(MmToUnits(c.mm, c.unit), c.value) << c.unit;
  for (const ConvCase& c : std::vector<ConvCase>{{254, 1, 10}, {297, 0, 29.7}, {15, 2, 1.5}, {15, 3, 1.5}})
    EXPECT_NEAR(UnitsToMm(c.value, c.unit), c.mm, 1e-9) << c.unit;
  const std::vector<std::tuple<double, char, const char*>> texts = {
      {21, '.', "21"}, {29.7, '.', "29.70"}, {29.7, ',', "29,70"}, {8.267716, '.', "8.27"},
      {0, '.', "0"},   {-1.5, '.', "-1.50"}};
  for (const auto& [value, sep, text] : texts) EXPECT_EQ(FormatUnitValue(value, sep), text) << value;
  const std::vector<std::pair<const char*, double>> numbers = {
      {"21,5", 21.5}, {"21.5", 21.5}, {" 2 1 . 5 ", 21.5}, {"7", 7}, {"+3", 3}, {"-0.5", -0.5}};
  for (const auto& [text, value] : numbers) EXPECT_DOUBLE_EQ(ParseUnitValue(text), value) << text;
  for (const char* bad : {"", " ", "abc", "1.2.3", "1,2.3", "2x", "1e999", "nan", "inf"})
    EXPECT_THROW(ParseUnitValue(bad), EConvertError) << bad;
}

}  // namespace
}  // namespace quarlo
