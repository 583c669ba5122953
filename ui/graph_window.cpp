// The graph window: the entry formula as a curve over X, beside the
// calculator. Its points are calculated by a calculator of its own, with the
// main window's settings and variable texts, so that drawing never touches
// the result, the message or the notes the main window shows.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "display/number_forms.h"
#include "engine/integer_mode.h"
#include "engine/texts.h"
#include "graph/curve.h"
#include "graph/plot.h"
#include "resource.h"
#include "ui/app.h"
#include "ui/satellite.h"
#include "ui/variable_fields.h"

namespace {

constexpr char kPlotClass[] = "QuorvexPlot";
constexpr char kGraphLetter = 'X';
constexpr std::size_t kRangeFieldChars = 300;
constexpr std::size_t kWantedValueChars = 2999;
constexpr int kGap = 6;  // pixels between the plot's frame, its labels and the control's edge

constexpr COLORREF kCurveColour = RGB(31, 95, 191), kGridColour = RGB(221, 221, 221),
                   kFrameColour = RGB(64, 64, 64), kLabelColour = RGB(51, 51, 51),
                   kWantedColour = RGB(0, 150, 0), kMarkerColour = RGB(200, 0, 0);

struct GraphState {
  Calculator calculator;
  long double from = -10, to = 10;
  std::string problem;  // why there is no curve, for the status line
  std::vector<CurvePoint> curve;
  std::optional<long double> wanted, marker;
  Plot plot;  // as laid out for the curve: drawn, and the mouse's column read from it
  // Where the window stood when last closed, kept for the rest of the run.
  std::optional<RECT> place;
  // What the plot and the status line keep from the right and bottom edges
  // as the window is sized: the template's distances.
  int plotRightGap = 0, plotBottomGap = 0, statusTopGap = 0, minWidth = 0, minHeight = 0;
  bool ready = false;  // the fields are filled: their changes recalculate
};

GraphState graph;

std::string textInForce(Msg id) { return textFor(id, settings().language); }

HWND plotControl() { return GetDlgItem(app.graph, IDC_GRAPH_PLOT); }

// The main window's settings and variable texts, as they stand.
void takeCalculatorState() {
  graph.calculator.settings() = settings();
  for (const VariableField& field : kVariableFields)
    graph.calculator.setVariableText(field.letter, controlText(app.main, field.id, field.limit));
}

std::optional<long double> valueOf(const std::string& formula) {
  if (formula.empty()) return std::nullopt;
  RunResult run = graph.calculator.value(formula);
  return run.ok ? std::optional<long double>(run.value) : std::nullopt;
}

bool readRangeField(int id, Msg name, long double& value) {
  RunResult run = graph.calculator.value(controlText(app.graph, id, kRangeFieldChars));
  if (run.ok) value = run.value;
  else graph.problem = textInForce(name) + ": " + messageText(run.message, settings().language);
  return run.ok;
}

bool readRange() {
  graph.problem.clear();
  if (!readRangeField(IDC_GRAPH_FROM, Msg::GraphFrom, graph.from) || !readRangeField(IDC_GRAPH_TO, Msg::GraphTo, graph.to))
    return false;
  if (!(graph.from < graph.to)) graph.problem = textInForce(Msg::GraphRangeBackwards);
  else if (!rangeWidthFinite(graph.from, graph.to)) graph.problem = textInForce(Msg::GraphRangeTooWide);
  return graph.problem.empty();
}

void layOutNow();
std::string shown(long double value);

void recalculate() {
  // The captions follow a change of language; set only then, not at each keystroke.
  for (auto [id, caption] : {std::pair{IDC_GRAPH_FROM_LABEL, Msg::GraphFrom}, std::pair{IDC_GRAPH_TO_LABEL, Msg::GraphTo}})
    if (std::string text = textInForce(caption); controlText(app.graph, id, text.size() + 1) != text)
      setControlText(app.graph, id, text);
  takeCalculatorState();
  graph.curve.clear();
  if (readRange()) {
    RECT client;
    GetClientRect(plotControl(), &client);
    // One point a pixel column: the curve is a little wider than the area
    // inside the labels, which costs nothing and is drawn at its x.
    auto columns = static_cast<std::size_t>(std::max<LONG>(client.right, 2));
    graph.curve = sampleCurve(graph.calculator, app.calculator.formula(), kGraphLetter,
                              evenPoints(graph.from, graph.to, columns), false);
  }
  // X's value as the formula reads it (its field may hold a formula).
  bool xGiven = !graph.calculator.variableText(kGraphLetter).empty();
  graph.marker = xGiven ? valueOf(std::string(1, kGraphLetter)) : std::nullopt;
  graph.wanted = app.regression ? valueOf(controlText(app.regression, IDC_WANTED_VALUE, kWantedValueChars))
                                : std::nullopt;
  setControlText(app.graph, IDC_GRAPH_STATUS, graph.problem);
  layOutNow();
  InvalidateRect(plotControl(), nullptr, FALSE);
}

// The sample under the mouse: the column nearest to x within the plot.
const CurvePoint* pointAt(int x) {
  if (graph.curve.empty()) return nullptr;
  double share = graph.plot.shareAtPixel(x);
  return &graph.curve[static_cast<std::size_t>(std::lround(share * static_cast<double>(graph.curve.size() - 1)))];
}

std::string shown(long double value) {
  std::string text;
  return graph.calculator.format(value, text) ? text : fixedForm(value, settings().precision);
}

void showPointAt(int x) {
  const CurvePoint* point = pointAt(x);
  if (point == nullptr) return;
  std::string text = textInForce(Msg::GraphPoint);
  std::string value = point->ok ? shown(point->value) : messageText(point->message, settings().language);
  text.replace(text.find("%s"), 2, shown(point->x));
  text.replace(text.find("%s"), 2, value);
  setControlText(app.graph, IDC_GRAPH_STATUS, text);
}

// A click writes the point's X, as a solve writes its result.
void takePointAt(int x) {
  if (const CurvePoint* point = pointAt(x))
    setControlText(app.main, fieldOfVariable(kGraphLetter), fixedForm(point->x, settings().precision));
}

// Drawing --------------------------------------------------------------------

struct Pen {
  explicit Pen(HDC dc, int style, int width, COLORREF colour)
      : dc_(dc), pen_(CreatePen(style, width, colour)), old_(SelectObject(dc, pen_)) {}
  ~Pen() {
    SelectObject(dc_, old_);
    DeleteObject(pen_);
  }
  Pen(const Pen&) = delete;
  Pen& operator=(const Pen&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HGDIOBJ old_;
};

int px(double v) { return static_cast<int>(std::lround(v)); }

void drawLine(HDC dc, double x1, double y1, double x2, double y2) {
  MoveToEx(dc, px(x1), px(y1), nullptr);
  LineTo(dc, px(x2), px(y2));
}

SIZE textSize(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// The area inside the labels: the value labels' width on the left, a line
// of X labels below, half a line above for the top label.
PlotArea plotArea(HDC dc, const RECT& client, int labelWidth) {
  int line = textSize(dc, "0").cy;
  double left = labelWidth + 2 * kGap, top = line / 2 + kGap;
  return {left, top, std::max(1.0, client.right - left - 2 * kGap), std::max(1.0, client.bottom - top - line - 2 * kGap)};
}

Plot layOut(HDC dc, const RECT& client) {
  Plot plot = layOutPlot(graph.curve, graph.from, graph.to, plotArea(dc, client, textSize(dc, "-0.0").cx));
  int widest = 0;
  for (const Tick& tick : plot.valueTicks) widest = std::max(widest, static_cast<int>(textSize(dc, tick.label).cx));
  return layOutPlot(graph.curve, graph.from, graph.to, plotArea(dc, client, widest));
}

void drawGrid(HDC dc, const Plot& plot) {
  const PlotArea& a = plot.area;
  {
    Pen pen(dc, PS_SOLID, 1, kGridColour);
    for (const Tick& tick : plot.xTicks) drawLine(dc, tick.pixel, a.top, tick.pixel, a.bottom());
    for (const Tick& tick : plot.valueTicks) drawLine(dc, a.left, tick.pixel, a.right(), tick.pixel);
  }
  SetTextColor(dc, kLabelColour);
  for (const Tick& tick : plot.xTicks) {
    SIZE size = textSize(dc, tick.label);
    TextOutA(dc, px(tick.pixel) - size.cx / 2, px(a.bottom()) + kGap / 2, tick.label.c_str(), static_cast<int>(tick.label.size()));
  }
  for (const Tick& tick : plot.valueTicks) {
    SIZE size = textSize(dc, tick.label);
    TextOutA(dc, px(a.left) - kGap - size.cx, px(tick.pixel) - size.cy / 2, tick.label.c_str(), static_cast<int>(tick.label.size()));
  }
  Pen pen(dc, PS_SOLID, 1, kFrameColour);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, px(a.left), px(a.top), px(a.right()) + 1, px(a.bottom()) + 1);
  // The axes themselves where zero is in view.
  if (plot.xAxisInView()) drawLine(dc, plot.pixelOfX(0), a.top, plot.pixelOfX(0), a.bottom());
  if (plot.valueAxisInView()) drawLine(dc, a.left, plot.pixelOfValue(0), a.right(), plot.pixelOfValue(0));
}

void drawCurve(HDC dc, const Plot& plot) {
  const PlotArea& a = plot.area;
  IntersectClipRect(dc, px(a.left), px(a.top), px(a.right()) + 1, px(a.bottom()) + 1);
  if (graph.wanted) {
    Pen pen(dc, PS_DOT, 1, kWantedColour);
    drawLine(dc, a.left, plot.pixelOfValue(*graph.wanted), a.right(), plot.pixelOfValue(*graph.wanted));
  }
  if (graph.marker) {
    Pen pen(dc, PS_SOLID, 1, kMarkerColour);
    drawLine(dc, plot.pixelOfX(*graph.marker), a.top, plot.pixelOfX(*graph.marker), a.bottom());
  }
  Pen pen(dc, PS_SOLID, 2, kCurveColour);
  std::vector<POINT> points;
  for (const auto& stroke : plot.strokes) {
    points.clear();
    for (const PlotPoint& p : stroke) points.push_back({px(p.x), px(p.y)});
    if (points.size() == 1) points.push_back({points[0].x + 1, points[0].y});  // a lone point shows
    Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
}

HFONT windowFont() { return reinterpret_cast<HFONT>(SendMessageA(app.graph, WM_GETFONT, 0, 0)); }

// Laid out as soon as the curve is calculated, not when painted: the mouse
// may ask for its point before the paint comes.
void layOutNow() {
  HWND window = plotControl();
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  HGDIOBJ oldFont = SelectObject(dc, windowFont());
  graph.plot = layOut(dc, client);
  // The labels take the decimal comma where the results show it.
  if (shown(0.5L).find(',') != std::string::npos)
    for (auto* ticks : {&graph.plot.xTicks, &graph.plot.valueTicks})
      for (Tick& tick : *ticks) std::replace(tick.label.begin(), tick.label.end(), '.', ',');
  SelectObject(dc, oldFont);
  ReleaseDC(window, dc);
}

void paintPlot(HWND window) {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  // Drawn aside and copied at once: no flicker while the user types.
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, windowFont());
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  drawGrid(dc, graph.plot);
  drawCurve(dc, graph.plot);
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(window, &paint);
}

LRESULT CALLBACK plotProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: paintPlot(window); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers it all
    case WM_MOUSEMOVE: showPointAt(GET_X_LPARAM(lParam)); return 0;
    case WM_LBUTTONDOWN: takePointAt(GET_X_LPARAM(lParam)); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Sizing ---------------------------------------------------------------------

RECT childRect(HWND window, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(window, id), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void measureLayout(HWND window) {
  RECT client, frame;
  GetClientRect(window, &client);
  GetWindowRect(window, &frame);
  RECT plot = childRect(window, IDC_GRAPH_PLOT), status = childRect(window, IDC_GRAPH_STATUS);
  graph.plotRightGap = client.right - plot.right;
  graph.plotBottomGap = client.bottom - plot.bottom;
  graph.statusTopGap = client.bottom - status.top;
  // Never smaller than the template's size at its start: the fields fit.
  graph.minWidth = frame.right - frame.left;
  graph.minHeight = (frame.bottom - frame.top) * 2 / 3;
}

void onSize(HWND window, int width, int height) {
  RECT plot = childRect(window, IDC_GRAPH_PLOT), status = childRect(window, IDC_GRAPH_STATUS);
  SetWindowPos(GetDlgItem(window, IDC_GRAPH_PLOT), nullptr, 0, 0, width - graph.plotRightGap - plot.left,
               height - graph.plotBottomGap - plot.top, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(GetDlgItem(window, IDC_GRAPH_STATUS), nullptr, status.left, height - graph.statusTopGap,
               width - graph.plotRightGap - status.left, status.bottom - status.top, SWP_NOZORDER);
  InvalidateRect(window, nullptr, TRUE);
  if (graph.ready) recalculate();  // a point a column of the new width
}

INT_PTR onMessage(HWND window, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: onSize(window, LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {graph.minWidth, graph.minHeight};
      return TRUE;
    default: return FALSE;
  }
}

// The window ------------------------------------------------------------------

BOOL onInit(HWND window) {
  graph.ready = false;
  for (int field : {IDC_GRAPH_FROM, IDC_GRAPH_TO}) SendDlgItemMessageA(window, field, EM_LIMITTEXT, kRangeFieldChars, 0);
  setControlText(window, IDC_GRAPH_FROM, "-10");
  setControlText(window, IDC_GRAPH_TO, "10");
  measureLayout(window);
  if (graph.place) {
    const RECT& r = *graph.place;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
  }
  graph.ready = true;
  recalculate();
  return TRUE;  // the focus to the From field
}

void onControl(int id, int code) {
  if ((id == IDC_GRAPH_FROM || id == IDC_GRAPH_TO) && code == EN_CHANGE && graph.ready) recalculate();
}

void onClose() {
  RECT r;
  GetWindowRect(app.graph, &r);
  graph.place = r;
}

void onDestroy() {
  graph.ready = false;
  graph.curve.clear();
}

void onRunDone(HWND) { recalculate(); }

const Satellite kGraphWindow = {&CalculatorApp::graph, "X_GRAPH_WINDOW", IDC_GRAPH_PLOT, onInit,   onControl,
                                onClose,               onDestroy,        onRunDone,      onMessage};

void registerPlotClass() {
  WNDCLASSA plotClass{};
  if (GetClassInfoA(app.instance, kPlotClass, &plotClass)) return;
  plotClass.lpfnWndProc = plotProc;
  plotClass.hInstance = app.instance;
  plotClass.hCursor = LoadCursorA(nullptr, IDC_CROSS);
  plotClass.lpszClassName = kPlotClass;
  RegisterClassA(&plotClass);
}

}  // namespace

void openGraphWindow() {
  registerPlotClass();
  if (dividerIsFaulty()) graph.calculator.correctFaultyDivider(nullptr);
  openSatellite(kGraphWindow);
  if (app.graph) SetForegroundWindow(app.graph);
}

void refreshGraph() {
  if (app.graph && graph.ready) recalculate();
}
