// The built-in tables against the entry lists the user interface was written for:
// every user-interface entry with the text the screens must show, the property
// descriptions by name in document order, and the counts of both tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "platform/stream.h"
#include "xml/xml_document.h"
#include "resources/builtin_tables.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

struct Entry {
  const char* name;
  const char* text;  // what Get returns
};

// Document order of the user-interface table; the script compiler's 17 messages
// follow these and have texts of our own.
const Entry kUiEntries[] = {
    {"1", "确定"},
    {"2", "取消"},
    {"3", "全部"},
    {"4", "本页"},
    {"5", "页:"},
    {"6", "分页"},
    {"7", "页数范围"},
    {"8", "导出设置"},
    {"9", "输入页数/文件范围，并以逗号分隔(例如:1,3,5-12)"},
    {"100", "预览"},
    {"101", "打印"},
    {"102", "打印"},
    {"103", "打开"},
    {"104", "打开"},
    {"105", "保存"},
    {"106", "保存"},
    {"107", "导出"},
    {"108", "导出"},
    {"109", "寻找"},
    {"110", "寻找"},
    {"111", "整页"},
    {"112", "整页"},
    {"113", "页宽"},
    {"114", "页宽"},
    {"115", "100%"},
    {"116", "100%"},
    {"117", "两页"},
    {"118", "两页"},
    {"119", "显示比例"},
    {"120", "页面设置"},
    {"121", "页面设置"},
    {"122", "纲要"},
    {"123", "纲要"},
    {"124", "放大"},
    {"125", "放大"},
    {"126", "缩小"},
    {"127", "缩小"},
    {"128", "大纲"},
    {"129", "报表大纲"},
    {"130", "缩略图"},
    {"131", "缩略图"},
    {"132", "编辑页"},
    {"133", "编辑页"},
    {"134", "首页"},
    {"135", "首页"},
    {"136", "前页"},
    {"137", "前页"},
    {"138", "次页"},
    {"139", "次页"},
    {"140", "末页"},
    {"141", "末页"},
    {"142", "页数"},
    {"150", "全屏"},
    {"151", "导出PDF格式"},
    {"152", "发送E-mail"},
    {"zmPageWidth", "页宽"},
    {"zmWholePage", "整页"},
    {"200", "打印"},
    {"201", "打印机"},
    {"202", "页 "},
    {"203", "份数"},
    {"204", "自动分页(&T)"},
    {"205", "份数(&C)"},
    {"206", "打印"},
    {"207", "其它"},
    {"208", "位置:"},
    {"209", "属性(&P)"},
    {"210", "输出至文件(&L)"},
    {"211", "顺序"},
    {"212", "名称:"},
    {"213", "打印模式"},
    {"214", "纸上打印"},
    {"216", "双份"},
    {"ppAll", "范围中所有页面"},
    {"ppOdd", "奇数页"},
    {"ppEven", "偶数页"},
    {"pgDefault", "默认"},
    {"pmDefault", "默认"},
    {"pmSplit", "切分大页"},
    {"pmJoin", "连接小页"},
    {"pmScale", "比列"},
    {"poDirect", "直接 (1-9)"},
    {"poReverse", "反转 (9-1)"},
    {"300", "寻找文本"},
    {"301", "寻找目标:"},
    {"302", "选项"},
    {"303", "替换"},
    {"304", "起点"},
    {"305", "区分大小写"},
    {"400", "页面设置"},
    {"401", "宽度"},
    {"402", "高度"},
    {"403", "纸张大小"},
    {"404", "打印方向"},
    {"405", "左"},
    {"406", "上"},
    {"407", "右"},
    {"408", "下"},
    {"409", "边距"},
    {"410", "纵向"},
    {"411", "横向"},
    {"412", "其它"},
    {"413", "套用本页"},
    {"414", "套用全部页面"},
    {"500", "打印t"},
    {"501", "打印机"},
    {"502", "页"},
    {"503", "份数"},
    {"504", "份数"},
    {"505", "选项"},
    {"506", "Escape 指令"},
    {"507", "打印至文件"},
    {"508", "OEM 页码"},
    {"509", "扩充的图形字元"},
    {"510", "打印机文件 (*.prn)|*.prn"},
    {"mbConfirm", "确认"},
    {"mbError", "错误"},
    {"mbInfo", "资讯"},
    {"xrCantFindClass", "不明的类别"},
    {"prVirtual", "虚拟"},
    {"prDefault", "预设"},
    {"prCustom", "自定"},
    {"enUnconnHeader", "未连接至表首"},
    {"enUnconnGroup", "群组未连接至数据库"},
    {"enUnconnGFooter", "没有群组表尾er for"},
    {"enBandPos", "Band的位置错误:"},
    {"dbNotConn", "数据库 %s 未连接至数据库"},
    {"dbFldNotFound", "字段不存在:"},
    {"clDSNotIncl", "(数据库未加入至 Report.DataSets)"},
    {"clUnknownVar", "未知的变量或数据库字段:"},
    {"clScrError", "Script 错误在 %s: %s"},
    {"clDSNotExist", "数据库 \"%s\" 不存在"},
    {"clErrors", "发生下列的错误:"},
    {"clExprError", "运算式错误"},
    {"clFP3files", "报表文件"},
    {"clSaving", "保存文件..."},
    {"clCancel", "取消"},
    {"clClose", "关闭(&X)"},
    {"clPrinting", "打印页"},
    {"clLoading", "载入文件..."},
    {"clPageOf", "页 %d / %d"},
    {"clFirstPass", "第一次处理过程: 页 "},
    {"clNoPrinters", "在你的系统没有安装打印机"},
    {"clDecompressError", "Stream 解压缩发生错误"},
    {"prRunningFirst", "第一次过程: 页 %d"},
    {"prRunning", "准备页 %d"},
    {"prPrinting", "打印页 %d"},
    {"prExporting", "导出页 %d"},
    {"uCm", "cm"},
    {"uInch", "in"},
    {"uPix", "px"},
    {"uChar", "chr"},
    {"dupDefault", "默认"},
    {"dupVert", "垂直"},
    {"dupHorz", "水平"},
    {"dupSimpl", "Simplex"},
    {"crFillMx", "填充交叉表..."},
    {"crBuildMx", "创建交叉表..."},
    {"600", "全部展开"},
    {"601", "全部闭合"},
    {"clStrNotFound", "Text not found"},
};

const char* const kPropertyNames[] = {
    "propActive", "propActive.TfrxHighlight", "propAliasName", "propAlign", "propAlignment",
    "propAllowAllUp", "propAllowEdit", "propAllowExpressions", "propAllowGrayed",
    "propAllowHTMLTags", "propAllowSplit", "propAuthor", "propAutoSize.TfrxPictureView",
    "propAutoWidth", "propBackPicture", "propBarType", "propBevelInner", "propBevelOuter",
    "propBevelWidth", "propBorder", "propBorderStyle", "propBottomMargin", "propBrushStyle",
    "propCalcCheckSum", "propCancel", "propCaption", "propCellFields", "propCellLevels",
    "propCenter", "propCharset", "propCharSpacing", "propCheckColor", "propChecked",
    "propCheckStyle", "propChild", "propClipped", "propCollate", "propColor.TFont", "propColor",
    "propColor.TfrxFrame", "propColor.TfrxHighlight", "propColumnFields", "propColumnGap",
    "propColumnLevels", "propColumns", "propColumnWidth", "propCondition",
    "propCondition.TfrxHighlight", "propConnected", "propConvertNulls", "propCopies",
    "propCursor", "propDatabaseName", "propDataField", "propDataSet", "propDate",
    "propDateFormat", "propDecimalSeparator", "propDefault", "propDefHeight",
    "propDescription.TfrxReportOptions", "propDescription", "propDiagonal", "propDisplayFormat",
    "propDoublePass", "propDown", "propDownThenAcross", "propDriverName", "propDropShadow",
    "propDuplex", "propEditMask", "propEnabled", "propEngineOptions", "propExpression",
    "propExpressionDelimiters", "propFieldAliases", "propFilter", "propFiltered", "propFlowTo",
    "propFont", "propFooterAfterEach", "propFormatStr", "propFrame", "propGapX", "propGapY",
    "propGlyph", "propGroupIndex", "propHAlign", "propHeight", "propHideZeros", "propHighlight",
    "propIndexName", "propInitString", "propItems", "propKeepAspectRatio", "propKeepChild",
    "propKeepFooter", "propKeepTogether", "propKind.TfrxFormat", "propKind",
    "propLargeDesignHeight", "propLayout", "propLeft", "propLeftMargin", "propLines",
    "propLineSpacing", "propLoginPrompt", "propMargin", "propMaster", "propMasterFields",
    "propMaxLength", "propMaxWidth", "propMemo", "propMinWidth", "propMirrorMargins",
    "propModalResult", "propName.TFont", "propName.TfrxReportOptions", "propName",
    "propNumGlyphs", "propOpenDataSource", "propOrientation", "propOutlineText",
    "propOutlineVisible", "propOutlineWidth", "propPageNumbers.TfrxPrintOptions",
    "propPaperHeight", "propPaperWidth", "propParagraphGap", "propParams.TfrxBDEDatabase",
    "propParams", "propParentFont", "propPassword", "propPasswordChar", "propPicture",
    "propPicture.TfrxReportOptions", "propPosition", "propPreviewOptions", "propPrintable",
    "propPrintChildIfInvisible", "propPrinter", "propPrintIfDetailEmpty", "propPrintIfEmpty",
    "propPrintOnFirstPage", "propPrintOnLastPage", "propPrintOnParent",
    "propPrintOnPreviousPage", "propPrintOptions", "propPrintPages", "propRangeBegin",
    "propRangeEnd", "propRangeEndCount", "propReadOnly", "propRepeatHeaders",
    "propReportOptions", "propReprintOnNewPage", "propRestrictions", "propRightMargin",
    "propRotation.TfrxBarCodeView", "propRotation", "propRowCount", "propRowFields",
    "propRowLevels", "propRTLReading", "propSessionName", "propShadowColor", "propShadowWidth",
    "propShape", "propShiftMode", "propShowColumnHeader", "propShowColumnTotal",
    "propShowRowHeader", "propShowRowTotal", "propShowDialog", "propShowText", "propSize",
    "propSorted", "propSpacing", "propSQL", "propStartNewPage", "propStretch", "propStretched",
    "propStretchMode", "propStyle.TFont", "propStyle", "propStyle.TfrxFrame",
    "propSuppressRepeated", "propTableName", "propTag", "propTagStr", "propText",
    "propTitleBeforeHeader", "propTop", "propTopMargin", "propTyp", "propUnderlines", "propURL",
    "propUserName", "propVAlign", "propVersionBuild", "propVersionMajor", "propVersionMinor",
    "propVersionRelease", "propVisible", "propWidth", "propWidth.TfrxFrame", "propWindowState",
    "propWordBreak", "propWordWrap", "propZoom.TfrxBarCodeView", "propKeepHeader",
    "propConnectionName", "propCurve", "propDrillDown", "propFontStyle",
    "propHideIfSingleDataRecord", "propOutlineExpand", "propPlainCells", "propPrintMode",
    "propPrintOnSheet", "propResetPageNumbers", "propReverse", "propShowFooterIfDrillDown",
    "propSizeMode", "propVersion", "propWideBarRatio", "propWysiwyg", "propArrowEnd",
    "propArrowLength", "propArrowSolid", "propArrowStart", "propArrowWidth",
    "propCloseDataSource", "propDatabase", "propIndexFieldNames", "propCommandTimeOut",
    "propExpandDrillDown", "propWysiwyg.TfrxMemoView", "propLeftLine", "propTopLine",
    "propRightLine", "propBottomLine", "propColor.TfrxFrameLine", "propStyle.TfrxFrameLine",
    "propWidth.TfrxFrameLine", "propFileLink", "propEndlessWidth", "propEndlessHeight",
    "propAddHeight", "propAddWidth", "propAllowDuplicates", "propJoinEqualCells",
    "propNextCross", "propNextCrossGap", "propShowCorner", "propSuppressNullRecords",
    "propShowTitle", "propAutoSize", "propShowHint", "propHint", "propPaperSize",
    "propPageCount", "propBackPictureVisible", "propBackPicturePrintable", "propHightQuality",
    "propLockType", "propIgnoreDupParams", "propTransparent", "propTransparentColor",
    "propIgnoreNulls", "propShowClildIfDrillDown",
};

std::vector<std::string> NamesInDocumentOrder(std::string_view table) {
  TfrxXMLDocument document;
  ByteViewStream stream(table.data(), table.size());
  document.LoadFromStream(stream);
  std::vector<std::string> names;
  for (int i = 0; i < document.Root()->Count(); ++i) names.push_back(document.Root()->Items(i)->Prop("Name"));
  return names;
}

TEST(BuiltInTables, EveryUserInterfaceEntryHasItsText) {
  TfrxResources resources;
  resources.LoadTable(BuiltInUiTable());
  for (const Entry& entry : kUiEntries) {
    EXPECT_TRUE(resources.Contains(entry.name)) << entry.name;
    EXPECT_EQ(resources.Get(entry.name), entry.text) << entry.name;
  }
}

TEST(BuiltInTables, UserInterfaceTableHoldsTheListedEntriesThenTheScriptMessages) {
  const std::vector<std::string> names = NamesInDocumentOrder(BuiltInUiTable());
  constexpr size_t listed = std::size(kUiEntries);
  ASSERT_EQ(names.size(), 178u);
  ASSERT_EQ(listed + kScriptMessageNames.size(), names.size());
  for (size_t i = 0; i < listed; ++i) EXPECT_EQ(names[i], kUiEntries[i].name) << "position " << i;
  for (size_t i = 0; i < kScriptMessageNames.size(); ++i) EXPECT_EQ(names[listed + i], kScriptMessageNames[i]);

  TfrxResources resources;
  resources.LoadTable(BuiltInUiTable());
  EXPECT_EQ(resources.Count(), 178);
  EXPECT_EQ(resources.CodePage(), 936);
  for (std::string_view name : kScriptMessageNames) {
    const std::string text = resources.Get(name);
    EXPECT_NE(text, name) << "no text of our own for " << name;
    EXPECT_EQ(resources.ScriptMessage(name), text);
  }
}

TEST(BuiltInTables, PropertyDescriptionsAreListedInOrderAndWrittenInChinese) {
  const std::vector<std::string> names = NamesInDocumentOrder(BuiltInPropertyTable());
  ASSERT_EQ(names.size(), std::size(kPropertyNames));
  ASSERT_EQ(names.size(), 271u);
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], kPropertyNames[i]) << "position " << i;

  TfrxResources resources;
  resources.LoadTable(BuiltInPropertyTable());
  EXPECT_EQ(resources.Count(), 271);
  EXPECT_EQ(resources.CodePage(), 936);
  for (const char* name : kPropertyNames) {
    const std::u16string text = resources.GetUnicode(name);
    const bool hasHan = std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x4E00 && c <= 0x9FFF; });
    EXPECT_TRUE(hasHan) << name;
  }
}

TEST(BuiltInTables, BothDeclareVersionOneOneUtf8AndDoNotShareNames) {
  for (std::string_view table : {BuiltInUiTable(), BuiltInPropertyTable()})
    EXPECT_EQ(table.substr(0, 38), R"(<?xml version="1.1" encoding="utf-8"?>)");
  std::set<std::string> seen;
  for (std::string_view table : {BuiltInUiTable(), BuiltInPropertyTable()}) {
    for (std::string name : NamesInDocumentOrder(table)) {
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_TRUE(seen.insert(name).second) << "duplicate " << name;
    }
  }
  EXPECT_EQ(frxResources().Count(), 178 + 271);
}

}  // namespace
}  // namespace quarlo
