#include "startup/form1.h"

#include "platform/path_join.h"
#include "startup/embedded_pictures.h"

namespace frost {
namespace {

const char* const kAboutCaption = "Frost Mail V2014.2 www.frostmail.example";

FontSpec ArialItalic(double size) {
  return FontSpec{"Arial", size, true};
}

void Place(Control& control, double left, double top, double width, double height, bool visible) {
  control.Move(left, top, width, height);
  control.SetVisible(visible);
}

void PlaceButton(CommandButton& button, const char* caption, double left, double top, double width,
                 double height) {
  button.Caption = caption;
  Place(button, left, top, width, height, false);
}

}  // namespace

Form1::Form1(Application& app, Platform platform)
    : Form(app, "Form1"),
      platform_(platform),
      Command5(*this, this, "Command5"),
      Command1(*this, this, "Command1"),
      Command3(*this, this, "Command3"),
      Picture1(*this, this, "Picture1"),
      PictureMenu(*this, &Picture1, "PictureMenu"),
      ImagePause(*this, &PictureMenu, "ImagePause"),
      ImagePlay(*this, &PictureMenu, "ImagePlay"),
      Image2(*this, &PictureMenu, "Image2"),
      ImageClose(*this, &PictureMenu, "ImageClose"),
      ImageEdit(*this, &PictureMenu, "ImageEdit"),
      ImageEditCancel(*this, &PictureMenu, "ImageEditCancel"),
      ImageEditSave(*this, &PictureMenu, "ImageEditSave"),
      PictureSanta(*this, &Picture1, "PictureSanta"),
      Image1(*this, &Picture1, "Image1"),
      TextGreetings(*this, &Picture1, "TextGreetings"),
      Label1(*this, &Picture1, "Label1"),
      Label2(*this, &Picture1, "Label2"),
      Shape2(*this, &Picture1, "Shape2"),
      Shape1(*this, &Picture1, "Shape1"),
      List1(*this, &Picture1, "List1"),
      Command2(*this, &Picture1, "Command2"),
      Command4(*this, &Picture1, "Command4"),
      Command6(*this, &Picture1, "Command6"),
      Command7(*this, &Picture1, "Command7"),
      Command8(*this, &Picture1, "Command8"),
      Command9(*this, &Picture1, "Command9"),
      Command10(*this, &Picture1, "Command10"),
      Command11(*this, &Picture1, "Command11"),
      Command12(*this, &Picture1, "Command12"),
      Command13(*this, &Picture1, "Command13"),
      Command14(*this, &Picture1, "Command14"),
      Command15(*this, &Picture1, "Command15"),
      Command16(*this, &Picture1, "Command16"),
      Command17(*this, &Picture1, "Command17"),
      Command18(*this, &Picture1, "Command18"),
      Command19(*this, &Picture1, "Command19"),
      Command20(*this, &Picture1, "Command20"),
      Command21(*this, &Picture1, "Command21"),
      Command22(*this, &Picture1, "Command22"),
      Command23(*this, &Picture1, "Command23"),
      TimerMain(*this, "TimerMain", 10),
      TimerAnimTree(*this, "TimerAnimTree", 1000),
      TimerSpeclAnimTree(*this, "TimerSpeclAnimTree", 10),
      Timer1SpeclAnimTree(*this, "Timer1SpeclAnimTree", 10),
      TimerCard(*this, "TimerCard", 100),
      TimerGreetingsAnim(*this, "TimerGreetingsAnim", 1000),
      TimerFireworks(*this, "TimerFireworks", 500),
      sound_(platform.sound),
      sequencer_(app, ShowPhases()) {
  Caption = "Frostmail";
  Icon = WindowIcon();
  PlaceButton(Command5, "Star", 7968, 2292, 780, 396);
  PlaceButton(Command1, "Etoile", 7932, 372, 1008, 588);
  PlaceButton(Command3, "Etoile1", 7980, 1260, 1008, 588);

  Picture1.Move(24, -24, 7440, 9120);
  Picture1.SetAutoRedraw(true);
  Picture1.SetBackColor(RGB(108, 79, 19));
  Picture1.Font = ArialItalic(16.8);

  PlaceMenuStrip();
  PlaceShowControls();
  PlaceCommandButtons();

  WireEvents();
  // The strip and the about label lie beyond the tree that shapes the window in the last phase;
  // while shown they are part of the window, so a click on the tree brings a usable menu.
  KeepInRegion(PictureMenu);
  KeepInRegion(Label2);
}

void Form1::PlaceMenuStrip() {
  Place(PictureMenu, 132, 3468, 1452, 528, false);
  PictureMenu.SetAutoRedraw(true);
  PictureMenu.SetBackColor(RGB(216, 169, 58));
  struct ImageButton {
    frost::Image& image;
    int picture;
    const char* tooltip;
    double left, top;
  };
  for (const ImageButton& button :
       {ImageButton{ImagePause, picture_id::kImagePause, "Pause", 756, 276},
        ImageButton{ImagePlay, picture_id::kImagePlay, "Play", 360, 264},
        ImageButton{Image2, picture_id::kImage2, "About", 600, 12},
        ImageButton{ImageClose, picture_id::kImageClose, "Exit", 1068, 24},
        ImageButton{ImageEdit, picture_id::kImageEdit, "Customize", 828, 12},
        ImageButton{ImageEditCancel, picture_id::kImageEditCancel, "Cancel", 264, 24},
        ImageButton{ImageEditSave, picture_id::kImageEditSave, "Update Card", 0, 24}}) {
    button.image.SetPicture(EmbeddedPicture(OS(), button.picture));
    button.image.SetLeft(button.left);
    button.image.SetTop(button.top);
    button.image.SetVisible(false);
    button.image.ToolTipText = button.tooltip;
    button.image.MouseIcon = &HandCursor();
  }
}

void Form1::PlaceShowControls() {
  Place(PictureSanta, 1680, 4656, 5688, 5472, false);
  PictureSantaPicture = EmbeddedPicture(OS(), picture_id::kPictureSanta);
  Place(Image1, 1416, 1596, 3744, 4824, false);
  Image1.SetPicture(EmbeddedPicture(OS(), picture_id::kImage1));

  TextBox& greetingTemplate = TextGreetings(0);
  Place(greetingTemplate, 180, 6516, 1308, 288, false);
  greetingTemplate.BackColor = RGB(224, 168, 45);
  greetingTemplate.ForeColor = RGB(139, 104, 28);
  greetingTemplate.MaxLength = 40;
  greetingTemplate.Font = FontSpec{"Times New Roman", 16.8, true};

  Place(Label1, 312, 5376, 288, 372, false);
  Label1.SetFont(ArialItalic(16.8));
  Label1.ForeColor = RGB(255, 31, 0);
  Label1.SetAutoSize(true);
  Label1.SetCaption("...");

  Place(Label2, 216, 4440, 3480, 204, false);
  Label2.SetFont(FontSpec{"Arial", 9, false});
  Label2.BackColor = RGB(216, 169, 58);
  Label2.ForeColor = RGB(255, 31, 0);
  Label2.SetCaption(kAboutCaption);
  Label2.MouseIcon = &HandCursor();

  Place(Shape2, 216, 3156, 468, 324, true);
  Shape2.BorderColor = RGB(0, 0, 0);
  Shape2.FillColor = RGB(108, 79, 19);
  Place(Shape1, 228, 5880, 150, 150, true);
  // Shape1 has no role in the show: it stays "shown" but draws nothing over the card.
  Shape1.BorderColor = std::nullopt;
  Place(List1, 4932, 2544, 2484, 3696, false);
}

// The command buttons under the picture, all hidden.
void Form1::PlaceCommandButtons() {
  PlaceButton(Command2, "Back", 96, 1200, 732, 288);
  PlaceButton(Command4, "Anim", 924, 1512, 672, 360);
  PlaceButton(Command6, "Card", 120, 2028, 720, 324);
  PlaceButton(Command7, "Greetings", 144, 2472, 792, 384);
  PlaceButton(Command8, "Tree", 72, 1536, 828, 360);
  PlaceButton(Command9, "Anim", 888, 2064, 696, 312);
  PlaceButton(Command10, "Anim", 972, 2520, 828, 324);
  PlaceButton(Command11, "Spec Anim", 2136, 1536, 672, 420);
  PlaceButton(Command12, "pDoEvts", 24, 792, 840, 324);
  PlaceButton(Command13, "Region", 132, 396, 852, 324);
  PlaceButton(Command14, "cls", 204, 72, 672, 288);
  PlaceButton(Command15, "NoReg", 4344, 1680, 744, 252);
  PlaceButton(Command16, "Spec Anim1", 3252, 1560, 612, 444);
  PlaceButton(Command17, "hide buttons", 2688, 312, 708, 396);
  PlaceButton(Command18, "hide Region", 3444, 312, 708, 408);
  PlaceButton(Command19, "End", 1308, 228, 984, 312);
  PlaceButton(Command20, "SavePic", 1356, 840, 1020, 276);
  PlaceButton(Command21, "RandStars", 996, 3036, 876, 372);
  PlaceButton(Command22, "Fireworks", 2424, 2532, 912, 336);
  PlaceButton(Command23, "Current Anim.", 3852, 2016, 1548, 528);
}

Report Form1::MessageReport() {
  return [this](const std::string& text) { Window().MessageBox(text, "Frostmail"); };
}

}  // namespace frost
