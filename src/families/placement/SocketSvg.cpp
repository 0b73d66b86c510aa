#include "families/placement/SocketSvg.h"

#include <cstdio>

#include "families/placement/SocketText.h"

namespace quarvin {

namespace {

// Room left and right of the pin rows for the names, above for the title.
constexpr double kMarginX = 30.0;
constexpr double kMarginTop = 19.0;
constexpr double kWidth = 2 * kMarginX + SocketGeometry::RowSpacing;
constexpr double kHeight = kMarginTop + (kSocketRowPins - 1) * SocketGeometry::Pitch + 16.0;
constexpr double kPinRadius = 0.7;

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

double X(int socketPin) { return kMarginX + SocketGeometry::x(socketPin); }
double Y(int socketPin) { return kMarginTop + SocketGeometry::y(socketPin); }

std::string Text(double x, double y, const std::string& anchor, const std::string& size, const std::string& s) {
    return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" text-anchor=\"" + anchor + "\" font-size=\"" + size +
           "\" font-family=\"sans-serif\">" + Escaped(s) + "</text>\n";
}

std::string Pin(const SocketPicture& picture, int s) {
    const SocketPinPicture& pin = picture.at(s);
    const bool left = s <= kSocketRowPins;
    const double x = X(s), y = Y(s);
    std::string svg = "<g><title>" + Escaped(PinDescription(picture, s)) + "</title>";
    svg += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"" + Num(kPinRadius) + "\" fill=\"" +
           RoleColour(pin.role) + "\" stroke=\"#555555\" stroke-width=\"0.15\"/></g>\n";
    // Socket pin number just outside the socket, the name beyond it.
    svg += Text(left ? x - 3.2 : x + 3.2, y + 0.6, left ? "end" : "start", "1.6", std::to_string(s));
    if (!pin.name.empty()) svg += Text(left ? x - 7.0 : x + 7.0, y + 0.6, left ? "end" : "start", "1.6", pin.name);
    return svg;
}

std::string Part(const SocketPlacement& p) {
    const int first = p.firstSocketPin, last = first + p.packagePins / 2 - 1;
    const double x0 = X(1) + 1.6, x1 = X(kSocketPins) - 1.6;
    const double y0 = Y(first) - 1.6, y1 = Y(last) + 1.6;
    const double mid = (x0 + x1) / 2, notch = 1.3;
    // The outline with its half-round notch at the pin 1 end.
    std::string svg = "<path d=\"M " + Num(x0) + " " + Num(y0) + " L " + Num(mid - notch) + " " + Num(y0) + " A " +
                      Num(notch) + " " + Num(notch) + " 0 0 0 " + Num(mid + notch) + " " + Num(y0) + " L " + Num(x1) +
                      " " + Num(y0) + " L " + Num(x1) + " " + Num(y1) + " L " + Num(x0) + " " + Num(y1) +
                      " Z\" fill=\"#3a3a3a\" fill-opacity=\"0.25\" stroke=\"#000000\" stroke-width=\"0.3\"/>\n";
    svg += "<circle cx=\"" + Num(x0 + 1.6) + "\" cy=\"" + Num(Y(first)) +
           "\" r=\"0.5\" fill=\"#000000\"><title>pin 1</title></circle>\n";
    return svg;
}

} // namespace

std::string SocketSvg(const SocketPicture& picture) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(kWidth) + "mm\" height=\"" + Num(kHeight) +
           "mm\" viewBox=\"0 0 " + Num(kWidth) + " " + Num(kHeight) + "\">\n";
    // The header lines of the text picture are the title, one text line each.
    const std::string header = SocketText(SocketPicture{picture.device, picture.part, picture.placement, {}, {}});
    const std::size_t firstEnd = header.find('\n'), secondEnd = header.find('\n', firstEnd + 1);
    const std::string first = header.substr(0, firstEnd), second = header.substr(firstEnd + 1, secondEnd - firstEnd - 1);
    svg += "<title>" + Escaped(first + " " + second) + "</title>\n";
    svg += Text(kWidth / 2, 4.5, "middle", "2.2", first);
    svg += Text(kWidth / 2, 7.5, "middle", "1.8", second);
    const double sx0 = X(1) - 2.4, sx1 = X(kSocketPins) + 2.4;
    svg += "<rect x=\"" + Num(sx0) + "\" y=\"" + Num(Y(1) - 3.0) + "\" width=\"" + Num(sx1 - sx0) + "\" height=\"" +
           Num(Y(kSocketRowPins) - Y(1) + 6.0) + "\" fill=\"#f2e6c9\" stroke=\"#000000\" stroke-width=\"0.3\"/>\n";
    // The lever lies along the pin 1 end.
    svg += "<rect x=\"" + Num(sx0) + "\" y=\"" + Num(Y(1) - 5.2) + "\" width=\"" + Num(sx1 - sx0) +
           "\" height=\"1.6\" fill=\"#777777\"><title>lever</title></rect>\n";
    svg += Text(kWidth / 2, Y(1) - 5.8, "middle", "1.8", "lever");
    if (!picture.known()) {
        svg += Text(kWidth / 2, Y(kSocketRowPins / 2), "middle", "2.4", kPlacementNotKnown);
    } else {
        svg += Part(picture.placement);
    }
    for (int s = 1; s <= kSocketPins; ++s) svg += Pin(picture, s);
    // The key: one swatch per role, four to a line.
    int shown = 0;
    for (PinRole role : {PinRole::Vcc, PinRole::Ground, PinRole::Vpp, PinRole::Clock, PinRole::Data, PinRole::Address,
                         PinRole::Control, PinRole::Unused}) {
        const double x = 6.0 + (shown % 4) * 17.0, y = Y(kSocketRowPins) + 7.0 + (shown / 4) * 3.5;
        ++shown;
        svg += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"" + Num(kPinRadius) + "\" fill=\"" +
               RoleColour(role) + "\" stroke=\"#555555\" stroke-width=\"0.15\"/>\n";
        svg += Text(x + 1.4, y + 0.6, "start", "1.6", RoleName(role));
    }
    return svg + "</svg>\n";
}

} // namespace quarvin
