#include "forms/TModalDriver.h"

#include "rtl/Format.h"

namespace {
TModalDriver*& CurrentDriverSlot() {
  static TModalDriver* current = nullptr;
  return current;
}
} // namespace

TModalResult TModalDriver::Answer(const TMessageBoxInfo& box) {
  TModalResult answer = DoAnswer(box);
  if (!box.Offers(answer))
    throw EModalDriverError(Format("the message box \"%s\" offers %s; %s is not one of its buttons",
                                   {box.Text, box.ButtonList(), ModalResultName(answer)}));
  TMessageBoxInfo shown = box;
  shown.Answer = answer;
  FMessages.push_back(std::move(shown));
  return answer;
}

std::optional<std::string> TModalDriver::ChooseFile(const TOpenDialog& dialog) { return DoChooseFile(dialog); }

TModalResult CautiousAnswer(const TMessageBoxInfo& box) {
  for (TModalResult result : {mrCancel, mrNo, mrOk})
    if (box.Offers(result)) return result;
  for (int b = 0; b < static_cast<int>(TMsgDlgBtn::mbHelp); ++b)
    if (box.Buttons.Contains(static_cast<TMsgDlgBtn>(b))) return ButtonResult(static_cast<TMsgDlgBtn>(b));
  return mrNone;
}

TModalDriver& CurrentModalDriver() {
  static TCancelModalDriver fallback;
  TModalDriver* current = CurrentDriverSlot();
  return current ? *current : fallback;
}

TModalDriverGuard::TModalDriverGuard(TModalDriver& driver) : FPrevious(CurrentDriverSlot()) {
  CurrentDriverSlot() = &driver;
}

TModalDriverGuard::~TModalDriverGuard() { CurrentDriverSlot() = FPrevious; }

TFunctionModalDriver& TFunctionModalDriver::Then(TRunProc run) {
  FRuns.push_back(std::move(run));
  return *this;
}

TFunctionModalDriver& TFunctionModalDriver::AnswerWith(TAnswerProc answer) {
  FAnswer = std::move(answer);
  return *this;
}

TFunctionModalDriver& TFunctionModalDriver::QueueAnswer(TModalResult answer) {
  FAnswers.push_back(answer);
  return *this;
}

TFunctionModalDriver& TFunctionModalDriver::ChooseFileWith(TFileProc choose) {
  FChooseFile = std::move(choose);
  return *this;
}

TFunctionModalDriver& TFunctionModalDriver::QueueFile(std::optional<std::string> fileName) {
  FFiles.push_back(std::move(fileName));
  return *this;
}

void TFunctionModalDriver::Run(TFormUser& user) {
  ++FRunCount;
  if (FRuns.empty()) return;
  TRunProc run = std::move(FRuns.front());
  FRuns.pop_front();
  if (run) run(user);
}

TModalResult TFunctionModalDriver::DoAnswer(const TMessageBoxInfo& box) {
  if (FAnswer) return FAnswer(box);
  if (FAnswers.empty())
    throw EModalDriverError(Format("the message box \"%s\" was not expected", {box.Text}));
  TModalResult answer = FAnswers.front();
  FAnswers.pop_front();
  return answer;
}

std::optional<std::string> TFunctionModalDriver::DoChooseFile(const TOpenDialog& dialog) {
  if (FChooseFile) return FChooseFile(dialog);
  if (FFiles.empty()) return std::nullopt;
  std::optional<std::string> file = std::move(FFiles.front());
  FFiles.pop_front();
  return file;
}
