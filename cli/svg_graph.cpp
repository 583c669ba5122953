#include "cli/svg_graph.h"

#include <cstdio>

namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // A control character has no place in XML 1.0.
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string line(double x1, double y1, double x2, double y2, const char* style) {
  return "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) + "\" y2=\"" +
         number(y2) + "\" " + style + "/>\n";
}

std::string text(double x, double y, const char* anchor, const std::string& content) {
  return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\">" +
         escaped(content) + "</text>\n";
}

}  // namespace

std::string svgGraph(const Plot& plot, const std::string& title, char letter) {
  const PlotArea& a = plot.area;
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kSvgWidth) + "\" height=\"" +
      std::to_string(kSvgHeight) + "\" viewBox=\"0 0 " + std::to_string(kSvgWidth) + " " +
      std::to_string(kSvgHeight) + "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      "<clipPath id=\"plot\"><rect x=\"" + number(a.left) + "\" y=\"" + number(a.top) + "\" width=\"" +
      number(a.width) + "\" height=\"" + number(a.height) + "\"/></clipPath>\n" +
      text(a.left, 22, "start", title);
  svg += "<g class=\"ticks\" stroke=\"#dddddd\">\n";
  for (const Tick& tick : plot.xTicks) svg += line(tick.pixel, a.top, tick.pixel, a.bottom(), "");
  for (const Tick& tick : plot.valueTicks) svg += line(a.left, tick.pixel, a.right(), tick.pixel, "");
  svg += "</g>\n<g class=\"labels\" fill=\"#333333\">\n";
  for (const Tick& tick : plot.xTicks) svg += text(tick.pixel, a.bottom() + 16, "middle", tick.label);
  for (const Tick& tick : plot.valueTicks) svg += text(a.left - 6, tick.pixel + 4, "end", tick.label);
  svg += text(a.right(), a.bottom() + 32, "end", std::string(1, letter));
  svg += "</g>\n<rect class=\"frame\" x=\"" + number(a.left) + "\" y=\"" + number(a.top) + "\" width=\"" +
         number(a.width) + "\" height=\"" + number(a.height) + "\" fill=\"none\" stroke=\"#333333\"/>\n";
  // The axes themselves where zero is in view.
  if (plot.xAxisInView())
    svg += line(plot.pixelOfX(0), a.top, plot.pixelOfX(0), a.bottom(), "class=\"axis\" stroke=\"#333333\"");
  if (plot.valueAxisInView())
    svg += line(a.left, plot.pixelOfValue(0), a.right(), plot.pixelOfValue(0), "class=\"axis\" stroke=\"#333333\"");
  svg += "<g class=\"curve\" clip-path=\"url(#plot)\" fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"1.5\">\n";
  for (const auto& stroke : plot.strokes) {
    if (stroke.size() == 1) {  // a point alone between gaps
      svg += "<circle cx=\"" + number(stroke[0].x) + "\" cy=\"" + number(stroke[0].y) + "\" r=\"1.5\" fill=\"#1f5fbf\"/>\n";
      continue;
    }
    svg += "<polyline points=\"";
    for (std::size_t i = 0; i < stroke.size(); ++i)
      svg += (i ? " " : "") + number(stroke[i].x) + "," + number(stroke[i].y);
    svg += "\"/>\n";
  }
  return svg + "</g>\n</svg>\n";
}
