// The main window's control tree with the design values of every control.
#include <array>

#include "app/MainForm.h"

namespace app {

const char* const kApplicationTitle = "DU Rorez 9212";
const char* const kWindowCaption =
    "DU Rorez 9212  Ver.0.7\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\x8Enot use socket.dll";
const char* const kNoticeText = "(C) Velmora";
const char* const kVelmoraHomePage = "http://www.velmora.com";
const char* const kAviosysHomePage = "http://www.aviosys.com";

namespace {

using controls::Control;

void Place(Control& control, int left, int top, int width, int height) {
  control.bounds = {left, top, width, height};
}

void PlaceLabel(Control& label, int left, int top, int width, int height, const char* text) {
  Place(label, left, top, width, height);
  label.SetCaption(text);
  label.color = controls::kWhite;
}

void PlaceButton(controls::SpeedButton& button, int left, int top, int width, int height,
                 const char* caption, const char* hint) {
  Place(button, left, top, width, height);
  button.SetCaption(caption);
  button.hint = hint;
}

void PlaceIndicator(controls::Panel& indicator, std::uint32_t color) {
  Place(indicator, 1, 1, 19, 19);
  indicator.color = color;
  indicator.SetVisible(false);
}

constexpr const char* kPollHint =
    "\xE7\x8A\xB6\xE6\x85\x8B\xE5\x8F\x96\xE5\xBE\x97\xE9\x96\x93\xE9\x9A\x94\xE3\x82\x92"
    "\xE6\x8C\x87\xE5\xAE\x9A\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99"
    "\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\x90 "
    "\xE3\x82\x92\xE6\x8C\x87\xE5\xAE\x9A\xE3\x81\x99\xE3\x82\x8B\xE3\x81\xA8"
    "\xE7\x8A\xB6\xE6\x85\x8B\xE5\x8F\x96\xE5\xBE\x97\xE3\x82\xBF\xE3\x82\xA4\xE3\x83\x9E"
    "\xE3\x83\xBC\xE3\x82\x92\xE5\x81\x9C\xE6\xAD\xA2\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99";

}  // namespace

TForm1::TForm1(Platform& platform)
    : platform(platform),
      Form1("Form1"),
      MainMenu1("MainMenu1", &Form1),
      FileF1("FileF1", &MainMenu1),
      CloseX1("CloseX1", &FileF1),
      OptionO1("OptionO1", &MainMenu1),
      M_OnOff("M_OnOff", &OptionO1),
      VelmoraHomepage1("VelmoraHomepage1", &MainMenu1),
      Velmora1("Velmora1", &VelmoraHomepage1),
      AVIOSYS1("AVIOSYS1", &VelmoraHomepage1),
      Label1("Label1", &Form1),
      Edit1("Edit1", &Form1),
      SpeedButton1("SpeedButton1", &Form1),
      Label5("Label5", &Form1),
      Edit2("Edit2", &Form1),
      SpeedButton2("SpeedButton2", &Form1),
      Panel4("Panel4", &Form1),
      Image1("Image1", &Panel4),
      PageControl1("PageControl1", &Form1),
      TabSheet1("TabSheet1", &PageControl1),
      TabSheet2("TabSheet2", &PageControl1),
      StatusBar1("StatusBar1", &Form1),
      GroupBox1("GroupBox1", &TabSheet1),
      Label12("Label12", &GroupBox1),
      Label11("Label11", &GroupBox1),
      Label14("Label14", &GroupBox1),
      Label13("Label13", &GroupBox1),
      Label16("Label16", &GroupBox1),
      Label15("Label15", &GroupBox1),
      Label18("Label18", &GroupBox1),
      Label17("Label17", &GroupBox1),
      Panel9("Panel9", &GroupBox1),
      Panel11("Panel11", &GroupBox1),
      Panel13("Panel13", &GroupBox1),
      Panel15("Panel15", &GroupBox1),
      Panel1("Panel1", &GroupBox1),
      Panel3("Panel3", &GroupBox1),
      Panel5("Panel5", &GroupBox1),
      Panel7("Panel7", &GroupBox1),
      SF1("SF1", &Panel9),
      SF2("SF2", &Panel11),
      SF3("SF3", &Panel13),
      SF4("SF4", &Panel15),
      SF5("SF5", &Panel1),
      SF6("SF6", &Panel3),
      SF7("SF7", &Panel5),
      SF8("SF8", &Panel7),
      PB1("PB1", &GroupBox1),
      PB2("PB2", &GroupBox1),
      PB3("PB3", &GroupBox1),
      PB4("PB4", &GroupBox1),
      PB5("PB5", &GroupBox1),
      PB6("PB6", &GroupBox1),
      PB7("PB7", &GroupBox1),
      PB8("PB8", &GroupBox1),
      PF1("PF1", &PB1),
      PF2("PF2", &PB2),
      PF3("PF3", &PB3),
      PF4("PF4", &PB4),
      PF5("PF5", &PB5),
      PF6("PF6", &PB6),
      PF7("PF7", &PB7),
      PF8("PF8", &PB8),
      Label6("Label6", &GroupBox1),
      Panel2("Panel2", &GroupBox1),
      PPW("PPW", &Panel2),
      Label2("Label2", &GroupBox1),
      Label3("Label3", &GroupBox1),
      SpeedButton5("SpeedButton5", &GroupBox1),
      Memo2("Memo2", &GroupBox1),
      RefUD("RefUD", &GroupBox1),
      Label4("Label4", &GroupBox1),
      SpeedButton6("SpeedButton6", &GroupBox1),
      SpeedButton3("SpeedButton3", &GroupBox1),
      SpeedButton4("SpeedButton4", &GroupBox1),
      Memo1("Memo1", &GroupBox1),
      GroupBox2("GroupBox2", &TabSheet2),
      Label23("Label23", &GroupBox2),
      Label24("Label24", &GroupBox2),
      Label25("Label25", &GroupBox2),
      Label8("Label8", &GroupBox2),
      Label7("Label7", &GroupBox2),
      Label10("Label10", &GroupBox2),
      Label9("Label9", &GroupBox2),
      S_CBx_1("S_CBx_1", &GroupBox2),
      E_CBx_1("E_CBx_1", &GroupBox2),
      S_ChB_1("S_ChB_1", &GroupBox2),
      E_ChB_1("E_ChB_1", &GroupBox2),
      S_CBx_2("S_CBx_2", &GroupBox2),
      E_CBx_2("E_CBx_2", &GroupBox2),
      S_ChB_2("S_ChB_2", &GroupBox2),
      E_ChB_2("E_ChB_2", &GroupBox2),
      S_CBx_3("S_CBx_3", &GroupBox2),
      E_CBx_3("E_CBx_3", &GroupBox2),
      S_ChB_3("S_ChB_3", &GroupBox2),
      E_ChB_3("E_ChB_3", &GroupBox2),
      S_CBx_4("S_CBx_4", &GroupBox2),
      E_CBx_4("E_CBx_4", &GroupBox2),
      S_ChB_4("S_ChB_4", &GroupBox2),
      E_ChB_4("E_ChB_4", &GroupBox2),
      GroupBox3("GroupBox3", &TabSheet2),
      Label26("Label26", &GroupBox3),
      Label27("Label27", &GroupBox3),
      Label28("Label28", &GroupBox3),
      Label20("Label20", &GroupBox3),
      Label19("Label19", &GroupBox3),
      Label22("Label22", &GroupBox3),
      Label21("Label21", &GroupBox3),
      S_CBx_5("S_CBx_5", &GroupBox3),
      E_CBx_5("E_CBx_5", &GroupBox3),
      S_ChB_5("S_ChB_5", &GroupBox3),
      E_ChB_5("E_ChB_5", &GroupBox3),
      S_CBx_6("S_CBx_6", &GroupBox3),
      E_CBx_6("E_CBx_6", &GroupBox3),
      S_ChB_6("S_ChB_6", &GroupBox3),
      E_ChB_6("E_ChB_6", &GroupBox3),
      S_CBx_7("S_CBx_7", &GroupBox3),
      E_CBx_7("E_CBx_7", &GroupBox3),
      S_ChB_7("S_ChB_7", &GroupBox3),
      E_ChB_7("E_ChB_7", &GroupBox3),
      S_CBx_8("S_CBx_8", &GroupBox3),
      E_CBx_8("E_CBx_8", &GroupBox3),
      S_ChB_8("S_ChB_8", &GroupBox3),
      E_ChB_8("E_ChB_8", &GroupBox3),
      GroupBox4("GroupBox4", &TabSheet2),
      ExitCB("ExitCB", &GroupBox4),
      Memo3("Memo3", &GroupBox4),
      ExitUD("ExitUD", &GroupBox4),
      Label30("Label30", &GroupBox4),
      Timer1("Timer1", 0, false),
      Timer2("Timer2", 1000, false) {
  BuildLayout();
  WireEvents();
}

void TForm1::BuildLayout() {
  // The window: client area below the menu bar.
  Form1.SetCaption(kWindowCaption);
  Place(Form1, 0, 0, 448, 343);
  Form1.color = controls::kWhite;

  FileF1.SetCaption("File(&F)");
  CloseX1.SetCaption("Exit(&X)");
  OptionO1.SetCaption("Option(&O)");
  M_OnOff.SetCaption("Use ON/OFF Setting");
  M_OnOff.autoCheck = true;
  M_OnOff.hint = "Checked --> Use ON/OFF Setting";
  VelmoraHomepage1.SetCaption("HP(&H)");
  Velmora1.SetCaption("Velmora");
  AVIOSYS1.SetCaption("AVIOSYS");

  // Top area.
  PlaceLabel(Label1, 36, 12, 59, 13, "IP Address");
  Place(Edit1, 104, 8, 105, 21);
  Edit1.SetText("192.168.0.123");
  Edit1.tabOrder = 0;
  Edit1.color = static_cast<std::uint32_t>(controls::SystemColor::Window);
  PlaceButton(SpeedButton1, 216, 8, 87, 21, "Transmit",
              "\xE3\x82\xA2\xE3\x83\x89\xE3\x83\xAC\xE3\x82\xB9\xE3\x82\x92\xE8\xA8\xAD\xE5\xAE\x9A"
              "\xE3\x81\x97\xE3\x81\xA6\xE7\x8F\xBE\xE5\x9C\xA8\xE3\x81\xAE\xE7\x8A\xB6\xE6\x85\x8B"
              "\xE3\x82\x92\xE5\x8F\x96\xE5\xBE\x97\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99");
  PlaceLabel(Label5, 36, 40, 61, 13, "HTTP Port");
  Place(Edit2, 104, 36, 49, 21);
  Edit2.SetText("80");
  Edit2.tabOrder = 2;
  Edit2.color = static_cast<std::uint32_t>(controls::SystemColor::Window);
  PlaceButton(SpeedButton2, 216, 36, 87, 21, "Web Control",
              "Web Contorol \xE3\x82\x92\xE9\x96\x8B\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x99");
  Place(Panel4, 312, 8, 129, 45);
  Panel4.bevel = controls::Panel::Bevel::InnerRaised;
  Panel4.color = controls::kWhite;
  Place(Image1, 4, 8, 121, 33);
  Image1.handCursor = true;

  Place(PageControl1, 4, 64, 441, 257);
  PageControl1.tabOrder = 4;
  PageControl1.color = controls::kWhite;
  TabSheet1.SetCaption("Operation");
  TabSheet1.color = controls::kWhite;
  TabSheet2.SetCaption("Option");
  TabSheet2.color = controls::kWhite;
  PageControl1.SetActivePageIndex(0);

  Place(StatusBar1, 0, 324, 448, 19);
  StatusBar1.SetPanelText(kNoticeText);

  // "Operation" page: the channels stand in columns x(n) = 36 + 24 (n - 1).
  Place(GroupBox1, 4, 4, 425, 221);
  GroupBox1.SetCaption(" IP Power Internet Power Controller ");
  GroupBox1.color = controls::kWhite;
  const std::array<controls::Label*, 8> numbers = {&Label12, &Label11, &Label14, &Label13,
                                                   &Label16, &Label15, &Label18, &Label17};
  const std::array<controls::Panel*, 8> inputFrames = {&Panel9, &Panel11, &Panel13, &Panel15,
                                                       &Panel1, &Panel3,  &Panel5,  &Panel7};
  const auto outputFrames = OutputFrames();
  const auto outputs = OutputIndicators();
  const auto inputs = InputIndicators();
  for (int n = 1; n <= 8; ++n) {
    const int x = 36 + 24 * (n - 1);
    const std::string digit(1, static_cast<char>('0' + n));
    PlaceLabel(*numbers[n - 1], x + 8, 24, 7, 13, digit.c_str());
    Place(*inputFrames[n - 1], x, 40, 21, 21);
    inputFrames[n - 1]->hint =
        "\xE7\x8F\xBE\xE5\x9C\xA8\xE3\x81\xAE\xE7\x8A\xB6\xE6\x85\x8B\xE3\x82\x92\xE8\xA1\xA8"
        "\xE7\xA4\xBA\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99";
    PlaceIndicator(*inputs[n - 1], controls::kYellow);
    Place(*outputFrames[n - 1], x, 64, 21, 21);
    outputFrames[n - 1]->hint =
        "\xE3\x82\xAF\xE3\x83\xAA\xE3\x83\x83\xE3\x82\xAF\xE3\x81\x99\xE3\x82\x8B\xE3\x81\xA8"
        "\xE7\x8A\xB6\xE6\x85\x8B\xE3\x82\x92\xE5\x8F\x8D\xE8\xBB\xA2\xE3\x81\x97\xE3\x81\xBE"
        "\xE3\x81\x99";
    PlaceIndicator(*outputs[n - 1], controls::kLime);
  }
  PlaceLabel(Label6, 10, 38, 18, 13, "PW");
  Place(Panel2, 8, 52, 21, 21);
  PlaceIndicator(PPW, controls::kRed);
  PlaceLabel(Label2, 232, 44, 11, 13, "IN");
  PlaceLabel(Label3, 232, 68, 25, 13, "OUT");
  PlaceButton(SpeedButton5, 264, 40, 57, 21, "Refresh",
              "\xE7\x8F\xBE\xE5\x9C\xA8\xE3\x81\xAE\xE7\x8A\xB6\xE6\x85\x8B\xE3\x82\x92\xE5\x8F\x96"
              "\xE5\xBE\x97\xE3\x81\x97\xE3\x81\xA6\xE7\x8A\xB6\xE6\x85\x8B\xE5\x8F\x96\xE5\xBE\x97"
              "\xE3\x82\xBF\xE3\x82\xA4\xE3\x83\x9E\xE3\x83\xBC\xE3\x82\x92\xE8\xB5\xB7\xE5\x8B\x95"
              "\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99");
  SpeedButton5.toggle = true;
  Place(Memo2, 324, 40, 53, 21);
  Memo2.hint = kPollHint;
  Memo2.centered = true;
  Memo2.tabOrder = 18;
  Memo2.color = static_cast<std::uint32_t>(controls::SystemColor::Window);
  Place(RefUD, 377, 40, 16, 21);
  RefUD.hint = kPollHint;
  RefUD.min = 0;
  RefUD.max = 100;
  RefUD.wrap = false;
  RefUD.tabOrder = 19;
  RefUD.InitPosition(10);
  RefUD.SetAssociate(&Memo2);
  PlaceLabel(Label4, 396, 44, 22, 13, "Sec");
  PlaceButton(SpeedButton6, 264, 64, 57, 21, "Refresh",
              "\xE7\x8F\xBE\xE5\x9C\xA8\xE3\x81\xAE\xE7\x8A\xB6\xE6\x85\x8B\xE3\x82\x92\xE5\x8F\x96"
              "\xE5\xBE\x97\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99");
  PlaceButton(SpeedButton3, 324, 64, 45, 21, "All On",
              "\xE5\x85\xA8\xE3\x81\xA6\xE3\x81\xAE I/O \xE3\x82\x92 ON \xE3\x81\xAB\xE3\x81\x97"
              "\xE3\x81\xBE\xE3\x81\x99");
  PlaceButton(SpeedButton4, 372, 64, 45, 21, "All Off",
              "\xE5\x85\xA8\xE3\x81\xA6\xE3\x81\xAE I/O \xE3\x82\x92 OFF \xE3\x81\xAB\xE3\x81\x97"
              "\xE3\x81\xBE\xE3\x81\x99");
  Place(Memo1, 8, 96, 409, 117);
  Memo1.readOnly = true;
  Memo1.fixedPitch = true;
  Memo1.color = controls::kWhite;
  Memo1.lines = {
      " --- Input ---",
      " DC Input  \xEF\xBC\x9A"
      "1\xEF\xBD\x9E"
      "4ch -> ON\xEF\xBC\x9A"
      "4\xEF\xBD\x9E"
      "24V   OFF\xEF\xBC\x9A"
      "0\xEF\xBD\x9E"
      "3V",
      " Resistance\xEF\xBC\x9A"
      "5\xEF\xBD\x9E"
      "8ch -> ON\xEF\xBC\x9A"
      "0\xEF\xBD\x9E"
      "200\xCE\xA9 OFF\xEF\xBC\x9A"
      "500\xCE\xA9\xEF\xBD\x9E\xE2\x88\x9E",
      "",
      " --- Output ---",
      " NC\xEF\xBC\x9A"
      "1\xEF\xBD\x9E"
      "4ch  NO\xEF\xBC\x9A"
      "5\xEF\xBD\x9E"
      "8ch",
      " 120V/AC,24V/DC -> 10A",
      " 250V/AC        ->  7A",
  };

  // "Option" page: two preset boxes with columns x(k) = 56 + 76 (k - 1), then auto-exit.
  Place(GroupBox2, 28, 4, 377, 85);
  GroupBox2.SetCaption(" ON/OFF Setting --> NC ");
  Place(GroupBox3, 28, 92, 377, 85);
  GroupBox3.SetCaption(" ON/OFF Setting --> NO ");
  Place(GroupBox4, 28, 180, 377, 45);
  for (controls::GroupBox* box : {&GroupBox2, &GroupBox3, &GroupBox4})
    box->color = controls::kWhite;

  struct Column {
    controls::Label* number;
    controls::ComboBox* startState;
    controls::ComboBox* exitState;
    controls::CheckBox* startEnable;
    controls::CheckBox* exitEnable;
  };
  const std::array<Column, 8> columns = {{
      {&Label8, &S_CBx_1, &E_CBx_1, &S_ChB_1, &E_ChB_1},
      {&Label7, &S_CBx_2, &E_CBx_2, &S_ChB_2, &E_ChB_2},
      {&Label10, &S_CBx_3, &E_CBx_3, &S_ChB_3, &E_ChB_3},
      {&Label9, &S_CBx_4, &E_CBx_4, &S_ChB_4, &E_ChB_4},
      {&Label20, &S_CBx_5, &E_CBx_5, &S_ChB_5, &E_ChB_5},
      {&Label19, &S_CBx_6, &E_CBx_6, &S_ChB_6, &E_ChB_6},
      {&Label22, &S_CBx_7, &E_CBx_7, &S_ChB_7, &E_ChB_7},
      {&Label21, &S_CBx_8, &E_CBx_8, &S_ChB_8, &E_ChB_8},
  }};
  constexpr std::array<int, 4> kNumberLeft = {80, 156, 228, 304};
  for (int c = 1; c <= 8; ++c) {
    const int k = (c - 1) % 4 + 1;
    const int x = 56 + 76 * (k - 1);
    const Column& col = columns[c - 1];
    const std::string digit(1, static_cast<char>('0' + c));
    PlaceLabel(*col.number, kNumberLeft[k - 1], 16, 7, 13, digit.c_str());
    for (controls::ComboBox* list : {col.startState, col.exitState}) {
      list->SetItems({"ON", "OFF"});
      list->SetEnabled(false);
      list->color = static_cast<std::uint32_t>(controls::SystemColor::Window);
    }
    Place(*col.startState, x, 32, 53, 21);
    col.startState->SetTag(c);
    col.startState->SetItemIndex(0);
    col.startState->tabOrder = 4 * (k - 1);
    Place(*col.exitState, x, 56, 53, 21);
    col.exitState->SetTag(11 * c);
    col.exitState->SetItemIndex(1);
    col.exitState->tabOrder = 4 * (k - 1) + 1;
    Place(*col.startEnable, x + 52, 34, 21, 17);
    col.startEnable->SetTag(c);
    col.startEnable->tabOrder = 4 * (k - 1) + 2;
    col.startEnable->color = controls::kWhite;
    Place(*col.exitEnable, x + 52, 58, 21, 17);
    col.exitEnable->SetTag(11 * c);
    col.exitEnable->tabOrder = 4 * (k - 1) + 3;
    col.exitEnable->color = controls::kWhite;
  }
  const std::array<std::array<controls::Label*, 3>, 2> rowLabels = {{
      {&Label23, &Label24, &Label25},
      {&Label26, &Label27, &Label28},
  }};
  for (const auto& rows : rowLabels) {
    PlaceLabel(*rows[0], 20, 16, 17, 13, "CH");
    PlaceLabel(*rows[1], 20, 36, 29, 13, "Start");
    PlaceLabel(*rows[2], 20, 60, 21, 13, "Exit");
  }

  Place(ExitCB, 84, 18, 45, 17);
  ExitCB.SetCaption("Exit");
  ExitCB.tabOrder = 0;
  ExitCB.color = controls::kWhite;
  Place(Memo3, 132, 16, 53, 21);
  Memo3.centered = true;
  Memo3.tabOrder = 1;
  Memo3.color = static_cast<std::uint32_t>(controls::SystemColor::Window);
  Place(ExitUD, 185, 16, 16, 21);
  ExitUD.min = 1;
  ExitUD.max = 32767;
  ExitUD.wrap = true;
  ExitUD.thousands = true;
  ExitUD.tabOrder = 2;
  ExitUD.InitPosition(60);
  ExitUD.SetAssociate(&Memo3);
  PlaceLabel(Label30, 211, 20, 78, 13, "Seconds later");
}

}  // namespace app
