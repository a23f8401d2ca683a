#pragma once
#include <string>

#include "effects/card_panel.h"
#include "effects/fireworks.h"
#include "effects/greeting_frame_lights.h"
#include "effects/greeting_panel.h"
#include "effects/random_stars.h"
#include "effects/snow.h"
#include "personalise/card_files.h"
#include "personalise/copy_writer.h"
#include "personalise/greeting_editor.h"
#include "personalise/greetings_store.h"
#include "personalise/hand_over.h"
#include "personalise/menu_strip.h"
#include "personalise/report.h"
#include "personalise/snapshot.h"
#include "platform/platform.h"
#include "scene/backdrop.h"
#include "scene/paint_context.h"
#include "scene/star_sketches.h"
#include "scene/tree.h"
#include "scene/tree_lights.h"
#include "scene/tree_stars.h"
#include "sequencer/show_controls.h"
#include "sequencer/show_sequencer.h"
#include "sound/bas_sound.h"
#include "toolkit/application.h"
#include "toolkit/control_array.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

namespace frost {

// The card window: its controls at their design settings, the objects that paint and personalise
// the card, and every event handler of the card. A handler is one call into the object that owns
// the behaviour; the painting handlers are defined in startup/form1_commands.cpp, the menu's and
// the editor's in startup/form1_personalise.cpp.
class Form1 : public Form {
  // First, so that the objects below can be handed it as they are made.
  Platform platform_;

 public:
  Form1(Application& app, Platform platform);

  Application& App() const { return Form::App(); }
  OsServices& OS() const { return platform_.os; }
  WindowServices& Window() const { return platform_.window; }
  BasSound& Sound() { return sound_; }
  ShowSequencer& Sequencer() { return sequencer_; }
  // Yield to the message loop.
  void DoEvents() { App().DoEvents(); }

  // --- controls, in the window's control order ---
  CommandButton Command5;  // "Star"    (on the window)
  CommandButton Command1;  // "Etoile"  (on the window)
  CommandButton Command3;  // "Etoile1" (on the window)
  PictureBox Picture1;
  PictureBox PictureMenu;
  frost::Image ImagePause;
  frost::Image ImagePlay;
  frost::Image Image2;
  frost::Image ImageClose;
  frost::Image ImageEdit;
  frost::Image ImageEditCancel;
  frost::Image ImageEditSave;
  PictureBox PictureSanta;
  Picture PictureSantaPicture;  // the picture PictureSanta holds: the nativity scene
  frost::Image Image1;
  ControlArray<TextBox> TextGreetings;
  Label Label1;
  Label Label2;
  Shape Shape2;
  Shape Shape1;
  ListBox List1;
  CommandButton Command2;   // "Back"
  CommandButton Command4;   // "Anim" (tree lights)
  CommandButton Command6;   // "Card"
  CommandButton Command7;   // "Greetings"
  CommandButton Command8;   // "Tree"
  CommandButton Command9;   // "Anim" (candles)
  CommandButton Command10;  // "Anim" (greeting frame lights)
  CommandButton Command11;  // "Spec Anim"
  CommandButton Command12;  // "pDoEvts"
  CommandButton Command13;  // "Region"
  CommandButton Command14;  // "cls"
  CommandButton Command15;  // "NoReg"
  CommandButton Command16;  // "Spec Anim1"
  CommandButton Command17;  // "hide buttons"
  CommandButton Command18;  // "hide Region"
  CommandButton Command19;  // "End"
  CommandButton Command20;  // "SavePic"
  CommandButton Command21;  // "RandStars"
  CommandButton Command22;  // "Fireworks"
  CommandButton Command23;  // "Current Anim."
  Timer TimerMain;
  Timer TimerAnimTree;
  Timer TimerSpeclAnimTree;
  Timer Timer1SpeclAnimTree;
  Timer TimerCard;
  Timer TimerGreetingsAnim;
  Timer TimerFireworks;

  // --- the painters, each owning its state; what they share is `paint` ---
  PaintContext paint{App(), Picture1};
  Backdrop backdrop{paint, PictureSantaPicture};
  Tree tree{paint};
  TreeStars treeStars{paint, tree};
  TreeLights treeLights{paint,
                        tree,
                        treeStars,
                        {TimerAnimTree, TimerSpeclAnimTree, Timer1SpeclAnimTree, TimerFireworks}};
  StarSketches starSketches{paint, *this};
  Snow snow{paint};
  RandomStars randomStars{paint};
  GreetingPanel greetingPanel{paint,
                              randomStars,
                              {*this,
                               TextGreetings,
                               Label1,
                               {&TimerAnimTree, &TimerSpeclAnimTree, &TimerCard},
                               [this](int index) { TextGreetings_Change(index); }}};
  GreetingFrameLights frameLights{paint, TimerGreetingsAnim};
  Fireworks fireworks{paint, TimerFireworks};
  CardPanel cardPanel{paint, tree, treeStars, {*this, Image1, Label1, TimerCard}};
  ShowControls showControls{paint,
                            backdrop,
                            sound_,
                            {*this,
                             Picture1,
                             Command12,
                             TimerMain,
                             TimerAnimTree,
                             {&TimerSpeclAnimTree, &TimerCard, &TimerGreetingsAnim}}};

  // --- the personalise objects, each owning its state ---
  CardFiles cardFiles;  // ProgramFolder, recorded by Main
  HandOver handOver{App(), platform_.os, cardFiles, MessageReport()};
  GreetingsStore greetingsStore{App(), platform_.os, TextGreetings};
  CopyWriter copyWriter{
      App(),
      platform_.os,
      {cardFiles, greetingsStore, handOver, [this] { sound_.StopSoundFile(); }, MessageReport()}};
  MenuStrip menuStrip{App(),
                      platform_.os,
                      {Picture1, PictureMenu, Label2, ImageClose, ImageEdit, ImageEditSave,
                       ImageEditCancel, [this] { return greetingEditor.IsOpen(); }}};
  GreetingEditor greetingEditor{{*this, TextGreetings, Label1, menuStrip, copyWriter}};
  Snapshots snapshots{platform_.os, Picture1, cardFiles, MessageReport()};

  // --- start-up and shutdown (startup/) ---
  void Form_Load();
  void Form_QueryUnload(bool& cancel);
  void Command19_Click();  // "End"
  void ImageClose_Click();
  void Picture1_DblClick();
  void FitToScreen();      // sizes surface and window for the screen
  void SetStartColours();  // the painters' colour factors
  // --- window shape (startup/) ---
  void Command13_Click();  // "Region"
  void Command15_Click();  // "NoReg"
  void Command18_Click();  // "hide Region"

  // --- show sequencer (sequencer/) ---
  void TimerMain_Timer() { sequencer_.Tick(); }

  // --- control commands and painting handlers (startup/form1_commands.cpp) ---
  void Command2_Click();   // "Back"
  void Command4_Click();   // "Anim": tree lights
  void Command9_Click();   // "Anim": candles
  void Command10_Click();  // "Anim": greeting frame lights
  void Command12_Click();  // "pDoEvts"
  void Command14_Click();  // "cls"
  void Command17_Click();  // "hide buttons"
  void Command23_Click();  // "Current Anim."
  void Command8_Click();   // "Tree"
  void TimerAnimTree_Timer();
  void TimerSpeclAnimTree_Timer();
  void Timer1SpeclAnimTree_Timer();
  void Command11_Click();  // "Spec Anim"
  void Command16_Click();  // "Spec Anim1"
  void Command1_Click();   // "Etoile"
  void Command3_Click();   // "Etoile1"
  void Command5_Click();   // "Star"
  void Command7_Click();   // "Greetings"
  void TimerGreetingsAnim_Timer();
  void Command22_Click();  // "Fireworks"
  void TimerFireworks_Timer();
  void Command21_Click();  // "RandStars"
  void Command6_Click();   // "Card"
  void TimerCard_Timer();
  // Halfway through the backdrop: in the "DrawTree" phase the strip takes on what lies beneath
  // it and the window holds still for a second.
  void BackdropHalfway();

  // --- the menu, the editor and "SavePic" (startup/form1_personalise.cpp) ---
  void Picture1_Click();
  void ImageEdit_Click();
  void ImageEditCancel_Click();
  void ImageEditSave_Click();
  void TextGreetings_Change(int index);
  void Label2_Click();
  void Command20_Click();  // "SavePic"

  // Seeds the random generator from the clock at load; off in headless renders with --seed.
  bool SeedFromClock = true;

 private:
  void PlaceMenuStrip();
  void PlaceShowControls();
  void PlaceCommandButtons();
  void WireEvents();
  ShowScript ShowPhases();  // the show's phases and their steps, from the form's handlers
  // The one way the personalise objects reach the user: a message box with the card's caption.
  Report MessageReport();

  BasSound sound_;
  ShowSequencer sequencer_;
};

}  // namespace frost
