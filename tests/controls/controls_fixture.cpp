// The control tests' screen, probe control and test form.
#include "tests/controls/controls_fixture.h"

#include "core/classes.h"
#include "core/exceptions.h"
#include "graphics/colors.h"

using namespace platform;

namespace controlstest {

std::vector<AnsiString>& Log() {
  static std::vector<AnsiString> log;
  return log;
}

TProbe::TProbe(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_.Include(TControlStyleFlag::csOpaque);
  SetBounds(0, 0, 10, 10);
}

void TProbe::Paint() {
  Log().push_back("paint " + Name());
  Canvas()->Brush().SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void TControlsForm::FormCreate(TObject*) {
  Log().push_back("create");
  if (failOnCreate) throw Exception("No categories");
}

void TControlsForm::HotClick(TObject*) {
  Log().push_back("click Hot");
}

void TControlsForm::HotMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  Log().push_back(Format("down Hot %d %d %d", static_cast<int>(button), x, y));
}

void TControlsForm::HotMouseMove(TObject*, TShiftState, int x, int y) {
  Log().push_back(Format("move Hot %d %d", x, y));
}

void RecordingReports::HandleException(TObject*, std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    Messages.push_back(e.what());
  }
}

void ControlsTest::SetUp() {
  UseScreen(1280, 1024);
  Log().clear();
}

void ControlsTest::TearDown() {
  Pump();
}

void ControlsTest::UseScreen(int width, int height) {
  auto screen = std::make_unique<HeadlessBackend>(width, height);
  screen_ = screen.get();
  SetBackend(std::move(screen));
}

void ControlsTest::Pump() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::uint32_t ControlsTest::PixelAt(HWND window, int x, int y) const {
  int width = 0;
  int height = 0;
  const auto& pixels = screen_->Pixels(window, &width, &height);
  if (x < 0 || y < 0 || x >= width || y >= height) return 0xDEADBEEF;
  return pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF;
}

POINT ControlsTest::OnScreen(const TControl& control, int x, int y) {
  return control.ClientToScreen({x, y});
}

void ShownFormTest::SetUp() {
  ControlsTest::SetUp();
  form_.reset(NewForm<TControlsForm>(nullptr));
  form_->Show();
  Pump();
}

void ShownFormTest::TearDown() {
  form_.reset();
  ControlsTest::TearDown();
}

namespace {

[[maybe_unused]] const auto kTProbe = RegisterClass<TProbe, TGraphicControl>("TProbe");

[[maybe_unused]] const auto kTControlsForm =
    RegisterClass<TControlsForm, TForm>("TControlsForm")
        .Field("Back", &TControlsForm::Back)
        .Field("Hot", &TControlsForm::Hot)
        .Field("Panel1", &TControlsForm::Panel1)
        .Field("Inner", &TControlsForm::Inner)
        .Field("Box", &TControlsForm::Box)
        .Field("Panel2", &TControlsForm::Panel2)
        .Field("Late", &TControlsForm::Late)
        .Method("FormCreate", &TControlsForm::FormCreate)
        .Method("HotClick", &TControlsForm::HotClick)
        .Method("HotMouseDown", &TControlsForm::HotMouseDown)
        .Method("HotMouseMove", &TControlsForm::HotMouseMove);

[[maybe_unused]] const auto kTScaledForm = RegisterClass<TScaledForm, TForm>("TScaledForm")
                                               .Field("Hot", &TScaledForm::Hot)
                                               .Field("Panel1", &TScaledForm::Panel1);

}  // namespace

}  // namespace controlstest
