#pragma once
// The controls' object names: what tests, screenshots and accessibility tools find the window's
// controls by. They keep the names the program's users and scripts know; the C++ names say what
// each control is.

namespace lmx::names {

// The main window.
inline constexpr char kMainWindow[] = "Form1";
inline constexpr char kMainClient[] = "Form1Client";
inline constexpr char kBanner[] = "Image1";
inline constexpr char kAboutButton[] = "BitBtn14";
inline constexpr char kQuitButton[] = "BitBtn5";
inline constexpr char kHelpButton[] = "BitBtn17";
inline constexpr char kPages[] = "PageControl1";
inline constexpr char kStatusBar[] = "StatusBar1";
inline constexpr char kRunBar[] = "ProgressBar1";
inline constexpr char kFileBar[] = "ProgressBar2";
// The status bar's panels are its name, "Panel" and their number; the bars sit in these two.
inline constexpr char kRunBarPanel[] = "StatusBar1Panel1";
inline constexpr char kFileBarPanel[] = "StatusBar1Panel3";

// The conversion page: the sources' group. Each page sits in a scroll area named after it.
inline constexpr char kConversionPage[] = "TabSheet1";
inline constexpr char kConversionPageScroll[] = "TabSheet1Scroll";
inline constexpr char kInputGroup[] = "GroupBox1";
inline constexpr char kSourceDirPanel[] = "Panel1";
inline constexpr char kSourceDirLabel[] = "Label15";
inline constexpr char kOpenButton[] = "BitBtn3";
inline constexpr char kFileCaption[] = "Label1";
inline constexpr char kFileEdit[] = "Edit1";
inline constexpr char kInputFormatCaption[] = "Label2";
inline constexpr char kInputFormatBox[] = "ComboBox1";
inline constexpr char kInputPreviewCaption[] = "Label3";
inline constexpr char kInputGrid[] = "StringGrid1";

// The conversion page: the run and its counters.
inline constexpr char kConvertButton[] = "BitBtn1";
inline constexpr char kCancelButton[] = "BitBtn2";
inline constexpr char kCountersGroup[] = "GroupBox6";
inline constexpr char kFilesCaption[] = "Label34";
inline constexpr char kReadCaption[] = "Label24";
inline constexpr char kRejectedCaption[] = "Label25";
inline constexpr char kWrittenCaption[] = "Label26";
inline constexpr char kFilesCount[] = "Label35";
inline constexpr char kReadCount[] = "Label36";
inline constexpr char kRejectedCount[] = "Label37";
inline constexpr char kWrittenCount[] = "Label38";

// The conversion page: the options in force.
inline constexpr char kOptionsGroup[] = "GroupBox4";
inline constexpr char kLogCaption[] = "Label17";
inline constexpr char kLatestCaption[] = "Label18";
inline constexpr char kBadLineCaption[] = "Label19";
inline constexpr char kHistoryCaption[] = "Label20";
inline constexpr char kAfterRunCaption[] = "Label39";
inline constexpr char kRenameCaption[] = "Label23";
inline constexpr char kTrashCaption[] = "Label21";
inline constexpr char kDeleteCaption[] = "Label22";
inline constexpr char kLogValue[] = "Label40";
inline constexpr char kLatestValue[] = "Label41";
inline constexpr char kBadLineValue[] = "Label42";
inline constexpr char kHistoryValue[] = "Label43";
inline constexpr char kRenameValue[] = "Label44";
inline constexpr char kTrashValue[] = "Label45";
inline constexpr char kDeleteValue[] = "Label46";

// The lower pages: the result's group.
inline constexpr char kResultViews[] = "PageControl2";
inline constexpr char kOutputTab[] = "TabSheet4";
inline constexpr char kOutputGroup[] = "GroupBox2";
inline constexpr char kOutDirPanel[] = "Panel2";
inline constexpr char kOutDirLabel[] = "Label16";
inline constexpr char kChangeButton[] = "BitBtn4";
inline constexpr char kOutNameCaption[] = "Label4";
inline constexpr char kOutNameEdit[] = "Edit2";
inline constexpr char kOutputFormatCaption[] = "Label5";
inline constexpr char kOutputFormatBox[] = "ComboBox2";
inline constexpr char kOutputPreviewCaption[] = "Label6";
inline constexpr char kOutputGrid[] = "StringGrid2";

// The lower pages: the rejected lines and the log.
inline constexpr char kRejectsPage[] = "TabSheet5";
inline constexpr char kRejectsGrid[] = "StringGrid4";
inline constexpr char kRejectsTitle[] = "Label31";
inline constexpr char kRejectsCount[] = "Label32";
inline constexpr char kRejectExplanation[] = "Label33";
inline constexpr char kLogPage[] = "TabSheet6";
inline constexpr char kLogView[] = "Memo1";
inline constexpr char kLogSaveButton[] = "BitBtn12";
inline constexpr char kLogClearButton[] = "BitBtn13";
inline constexpr char kLogTextColorButton[] = "BitBtn11";
inline constexpr char kLogBackColorButton[] = "BitBtn10";

// The format editor: the format's general settings.
inline constexpr char kFormatEditorPage[] = "TabSheet2";
inline constexpr char kGeneralGroup[] = "GroupBox5";
inline constexpr char kFormatNameCaption[] = "Label9";
inline constexpr char kFormatNameEdit[] = "Edit6";
inline constexpr char kCommentCaption[] = "Label29";
inline constexpr char kCommentEdit[] = "Edit3";
inline constexpr char kColumnsGroup[] = "GroupBox9";
inline constexpr char kColumnCountCaption[] = "Label14";
inline constexpr char kColumnCountEdit[] = "Edit9";
inline constexpr char kSeparatorCaption[] = "Label13";
inline constexpr char kSeparatorEdit[] = "Edit13";
inline constexpr char kTabSeparatorBox[] = "CheckBox5";
inline constexpr char kDecimalCaption[] = "Label27";
inline constexpr char kDecimalEdit[] = "Edit14";
inline constexpr char kDecimalSample[] = "Label28";
inline constexpr char kQuoteCaption[] = "Label51";
inline constexpr char kQuoteBox[] = "ComboBox11";
inline constexpr char kGroupingCaption[] = "Label52";
inline constexpr char kGroupingEdit[] = "Edit15";
inline constexpr char kSkipGroup[] = "GroupBox8";
inline constexpr char kSkipEdit[] = "Edit4";
inline constexpr char kSkipUpDown[] = "UpDown1";
inline constexpr char kSkipUp[] = "UpDown1Up";
inline constexpr char kSkipDown[] = "UpDown1Down";
inline constexpr char kSkipCaption[] = "Label11";
inline constexpr char kHeaderCaption[] = "Label10";
inline constexpr char kHeaderBox[] = "CheckBox1";
inline constexpr char kHeaderMemo[] = "Memo2";

// The format editor: the column shown.
inline constexpr char kColumnGroup[] = "GroupBox7";
inline constexpr char kColumnTabs[] = "TabControl1";
inline constexpr char kColumnNameCaption[] = "Label7";
inline constexpr char kColumnNameBox[] = "ComboBox3";
inline constexpr char kTypeCaption[] = "Label12";
inline constexpr char kTypeBox[] = "ComboBox6";
inline constexpr char kDateSepCaption[] = "Label48";
inline constexpr char kDateSepEdit[] = "Edit7";
inline constexpr char kScaleBox[] = "CheckBox6";
inline constexpr char kPercentBox[] = "CheckBox7";
inline constexpr char kControlCaption[] = "Label47";
inline constexpr char kControlBox[] = "ComboBox7";
inline constexpr char kAffixBox[] = "CheckBox2";
inline constexpr char kPrefixRadio[] = "RadioButton1";
inline constexpr char kSuffixRadio[] = "RadioButton2";
inline constexpr char kAffixEdit[] = "Edit5";
inline constexpr char kAffixPlaceGroup[] = "FixeGroup";
inline constexpr char kCaseBox[] = "CheckBox3";
inline constexpr char kUpperRadio[] = "RadioButton3";
inline constexpr char kLowerRadio[] = "RadioButton4";
inline constexpr char kCaseChoiceGroup[] = "CasseGroup";
inline constexpr char kDeleteColumnButton[] = "BitBtn20";
inline constexpr char kMoveLeftButton[] = "BitBtn21";
inline constexpr char kAddColumnButton[] = "BitBtn22";
inline constexpr char kMoveRightButton[] = "BitBtn23";

// The format editor: the format file's buttons and notes.
inline constexpr char kFormatsGroup[] = "GroupBox3";
inline constexpr char kHintPanel[] = "Panel4";
inline constexpr char kHintLabel[] = "Label8";
inline constexpr char kNewFormatButton[] = "BitBtn6";
inline constexpr char kModelFormatButton[] = "BitBtn15";
inline constexpr char kModifyFormatButton[] = "BitBtn16";
inline constexpr char kSaveFormatButton[] = "BitBtn7";
inline constexpr char kUndoFormatButton[] = "BitBtn8";
inline constexpr char kDeleteFormatButton[] = "BitBtn9";
inline constexpr char kNotesPanel[] = "Panel3";
inline constexpr char kNotesMemo[] = "Memo3";

// The parameters page.
inline constexpr char kParametersPage[] = "TabSheet3";
inline constexpr char kCategoryList[] = "ListBox1";
inline constexpr char kResultPanel[] = "Panel7";
inline constexpr char kResultLabel[] = "Label53";
inline constexpr char kSaveSettingsButton[] = "BitBtn18";
inline constexpr char kProcessingPanel[] = "Panel8";
inline constexpr char kProcessingTitle[] = "Label56";
inline constexpr char kBadLineGroup[] = "GroupBox12";
inline constexpr char kRejectLineRadio[] = "RadioButton9";
inline constexpr char kStopRunRadio[] = "RadioButton10";
inline constexpr char kResultFileGroup[] = "GroupBox11";
inline constexpr char kSameDirRadio[] = "RadioButton7";
inline constexpr char kOtherDirRadio[] = "RadioButton8";
inline constexpr char kDirEdit[] = "Edit11";
inline constexpr char kDirButton[] = "Button1";
inline constexpr char kAddTextBox[] = "CheckBox4";
inline constexpr char kAddTextEdit[] = "Edit12";
inline constexpr char kExtensionPanel[] = "Panel10";
inline constexpr char kSourceExtRadio[] = "RadioButton12";
inline constexpr char kNewExtRadio[] = "RadioButton13";
inline constexpr char kExtEdit[] = "Edit8";
inline constexpr char kEncodingCaption[] = "Label57";
inline constexpr char kEncodingBox[] = "ComboBox9";
inline constexpr char kLineEndCaption[] = "Label58";
inline constexpr char kLineEndBox[] = "ComboBox10";
inline constexpr char kAfterRunGroup[] = "GroupBox13";
inline constexpr char kRenameRadio[] = "RadioButton14";
inline constexpr char kRenameEdit[] = "Edit10";
inline constexpr char kTrashRadio[] = "RadioButton15";
inline constexpr char kDeleteRadio[] = "RadioButton16";
inline constexpr char kKeepRadio[] = "RadioButton17";
inline constexpr char kEnvironmentPanel[] = "Panel9";
inline constexpr char kEnvironmentTitle[] = "Label55";
inline constexpr char kLanguageGroup[] = "GroupBox16";
inline constexpr char kLanguageBox[] = "ComboBox8";
inline constexpr char kApplyLanguageButton[] = "Button5";
inline constexpr char kLogKindGroup[] = "GroupBox10";
inline constexpr char kSimpleLogRadio[] = "RadioButton5";
inline constexpr char kExtendedLogRadio[] = "RadioButton6";
inline constexpr char kDatesGroup[] = "GroupBox14";
inline constexpr char kHistoryGroup[] = "GroupBox15";
inline constexpr char kIntegrationPanel[] = "Panel11";
inline constexpr char kIntegrationTitle[] = "Label50";
inline constexpr char kStartMenuButton[] = "Button2";
inline constexpr char kDesktopButton[] = "Button4";
inline constexpr char kOpenWithButton[] = "Button3";

// The chart page.
inline constexpr char kChartPage[] = "ChartPage";
inline constexpr char kChartView[] = "ChartView";
inline constexpr char kChartColumnCaption[] = "ChartColumnCaption";
inline constexpr char kChartColumnBox[] = "ChartColumn";
inline constexpr char kChartStatus[] = "ChartStatus";
inline constexpr char kChartSummary[] = "ChartSummary";
inline constexpr char kChartPoint[] = "ChartPoint";
inline constexpr char kChartLine[] = "ChartLine";

// The format name dialog.
inline constexpr char kNameDialog[] = "Form2";
inline constexpr char kNameDialogListCaption[] = "Label2";
inline constexpr char kNameDialogFormatBox[] = "ComboBox3";
inline constexpr char kNameDialogNameCaption[] = "Label1";
inline constexpr char kNameDialogNameEdit[] = "Edit1";
inline constexpr char kNameDialogOkButton[] = "Button1";
inline constexpr char kNameDialogCancelButton[] = "Button2";

// The about box.
inline constexpr char kAboutBox[] = "AboutBox";
inline constexpr char kAboutFrame[] = "Bevel2";
inline constexpr char kAboutPicture[] = "Image1";
inline constexpr char kAboutIcon[] = "ProgramIcon";
inline constexpr char kAboutProgramName[] = "Label1";
inline constexpr char kAboutVersion[] = "ProductName";
inline constexpr char kAboutOkFrame[] = "Bevel1";
inline constexpr char kAboutOk[] = "Label3";
inline constexpr char kAboutNotice[] = "Label2";
inline constexpr char kAboutNoticeTimer[] = "Timer1";

} // namespace lmx::names
