// The program's one window: the framed picture on a card, the entrance from a screen edge, and the
// capture of what it shows as a JPEG beside the source once it has arrived.
#pragma once

#include <string>

#include "controls/clear/ClearPanel.h"
#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "gfx/Image.h"
#include "gfx/Shape.h"

namespace app {

class TMainForm1 : public fw::TForm {
  TOVU_CLASS(TMainForm1, fw::TForm)

 public:
  explicit TMainForm1(fw::TComponent* AOwner);
  // A window for one of several pictures given at once: it frames `picturePath` rather than the
  // joined arguments, and after the save it only beeps; the run that made it reports every
  // picture at the end and settles the exit status.
  TMainForm1(fw::TComponent* AOwner, const std::string& picturePath);
  ~TMainForm1() override;

  // The components of the stored layout, in declaration order.
  clear::TClearPanel* ClearPanel1 = nullptr;
  fw::TImage* Image2 = nullptr;
  fw::TPanel* Panel1 = nullptr;
  fw::TImage* Image1 = nullptr;
  fw::TTimer* Timer1 = nullptr;
  fw::TButton* Button1 = nullptr;
  fw::TShape* Shape1 = nullptr;
  fw::TShape* Shape2 = nullptr;

  void Button1Click(fw::TObject* Sender);
  void FormCreate(fw::TObject* Sender);
  void Timer1Timer(fw::TObject* Sender);

  // True once the framed picture has been written.
  bool Saved() const { return FSaved; }
  // True once the window has arrived and the save has been tried, whether or not it worked.
  bool Arrived() const { return FArrived; }
  // Why nothing is framed, as said on standard error; empty unless the picture was refused.
  const std::string& Refusal() const { return FRefusal; }
  int Direction() const { return FDirection; }
  const std::string& FilePath() const { return FFilePath; }

 private:
  void ChooseEdgeAndPlace();
  void RefuseToFrame(const std::string& path, const std::string& reason);
  // Loads the picture into Image2 and makes sure it can be framed: decoded, and its window within
  // the picture limit. On failure Image2 is left empty and the error passes on.
  void LoadPicture(const std::string& path);
  void FitToPictureAndPlaceAtEdge();
  bool StepOrArrive();

  std::string FFilePath;
  std::string FFileExt;
  int FDirection = 0;
  bool FOneOfSeveral = false;
  bool FArrived = false;
  bool FSaved = false;
  std::string FRefusal;
};

// The program's one window, set by the application while it creates it (before FormCreate runs).
extern TMainForm1* MainForm1;

// The form description of TMainForm1, compiled into the program.
extern const char* const Mainwindow1Layout;

}  // namespace app
