#include "documents/plan_picture.h"

#include <algorithm>
#include <cmath>

#include "documents/html_text.h"
#include "documents/solve_run.h"
#include "documents/text_numbers.h"
#include "solver/report_buffer.h"
#include "solver/report_writer.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

// Sizes in pixels: a readable picture, and the overview of a large one.
struct Layout {
    int Step = 0;        // between two nodes of a side
    int NodeWidth = 0;
    int NodeHeight = 0;
    int Width = 0;
    int Top = 0;         // of the first node
    int Height = 0;
    bool Labels = false; // quantities written on the arrows, closed routes drawn

    int LeftEdge() const { return 20; }
    int RightEdge() const { return Width - 20 - NodeWidth; }
    int Y(int index) const { return Top + index * Step + NodeHeight / 2; }
};

Layout LayoutFor(const PlanSketch& sketch) {
    const int side = static_cast<int>(std::max(sketch.Suppliers.size(), sketch.Consumers.size()));
    Layout at;
    at.Labels = sketch.Suppliers.size() <= kReadableSide + 1 && sketch.Consumers.size() <= kReadableSide + 1;
    at.Step = at.Labels ? 56 : 16;
    at.NodeWidth = at.Labels ? 120 : 90;
    at.NodeHeight = at.Labels ? 36 : 13;
    at.Width = at.Labels ? 720 : 560;
    at.Top = at.Labels ? 70 : 92;
    at.Height = at.Top + side * at.Step + 70;
    return at;
}

std::string Number(std::int64_t value) { return NumberToText(value); }

void AppendText(std::string& svg, int x, int y, std::string_view anchor, int size, std::string_view text,
                std::string_view extra = {}) {
    svg += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + std::string(anchor) +
           "\" font-size=\"" + Number(size) + "\"" + std::string(extra) + ">" + HtmlEscaped(text) + "</text>\n";
}

void AppendNode(std::string& svg, const Layout& at, const PlanNode& node, int x, int index) {
    const int y = at.Y(index) - at.NodeHeight / 2;
    svg += "<g class=\"" + std::string(node.Fictitious ? "node fictitious" : "node") + "\"><rect x=\"" +
           Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(at.NodeWidth) + "\" height=\"" +
           Number(at.NodeHeight) + "\" rx=\"4\" fill=\"" + (node.Fictitious ? "#f2f2f2" : "#eaf1fb") +
           "\" stroke=\"" + (node.Fictitious ? "#999999" : "#1f5fbf") + "\"" +
           (node.Fictitious ? " stroke-dasharray=\"4 3\"" : "") + "/>\n";
    const std::string label = node.Name + ": " + node.Amount + (node.Fictitious ? " (фикт.)" : "");
    AppendText(svg, x + at.NodeWidth / 2, at.Y(index) + (at.Labels ? 5 : 4), "middle", at.Labels ? 13 : 10,
               label, node.Fictitious ? " fill=\"#777777\"" : "");
    svg += "</g>\n";
}

// A filled triangle at (x2, y2) pointing along the line: drawn, not a marker, which not every
// SVG renderer draws.
void AppendArrowHead(std::string& svg, int x1, int y1, int x2, int y2, const std::string& color, int size) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length = std::max(1.0, std::sqrt(dx * dx + dy * dy));
    const double ux = dx / length;
    const double uy = dy / length;
    const auto point = [](double x, double y) {
        return Number(std::lround(x)) + "," + Number(std::lround(y));
    };
    const double baseX = x2 - ux * size;
    const double baseY = y2 - uy * size;
    const double half = size * 0.45;
    svg += "<polygon points=\"" + point(x2, y2) + " " + point(baseX - uy * half, baseY + ux * half) + " " +
           point(baseX + uy * half, baseY - ux * half) + "\" fill=\"" + color + "\"/>\n";
}

void AppendRoute(std::string& svg, const Layout& at, const PlanSketch& sketch, const PlanRoute& route) {
    const PlanNode& from = sketch.Suppliers[static_cast<std::size_t>(route.Supplier)];
    const PlanNode& to = sketch.Consumers[static_cast<std::size_t>(route.Consumer)];
    const int x1 = at.LeftEdge() + at.NodeWidth;
    const int y1 = at.Y(route.Supplier);
    const int x2 = at.RightEdge() - 2;
    const int y2 = at.Y(route.Consumer);
    const bool apart = from.Fictitious || to.Fictitious;
    const std::string title = from.Name + " \u2192 " + to.Name + ": " +
                              (route.Closed ? std::string("маршрут закрыт") : route.Quantity);
    const std::string color = route.Closed ? "#c0392b" : apart ? "#999999" : "#1f5fbf";
    const std::string style = route.Closed ? " stroke-width=\"1\" stroke-dasharray=\"1 4\""
                              : apart      ? " stroke-width=\"1.5\" stroke-dasharray=\"6 4\""
                                           : " stroke-width=\"1.5\"";
    svg += "<g class=\"" + std::string(route.Closed ? "route closed" : "route") + "\"><title>" +
           HtmlEscaped(title) + "</title><line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" +
           Number(x2) + "\" y2=\"" + Number(y2) + "\" stroke=\"" + color + "\"" + style + "/>\n";
    if (!route.Closed) AppendArrowHead(svg, x1, y1, x2, y2, color, at.Labels ? 9 : 6);
    if (at.Labels && route.Closed) {
        AppendText(svg, (x1 + x2) / 2, (y1 + y2) / 2 + 5, "middle", 14, "\u00D7", " fill=\"#c0392b\"");
    }
    svg += "</g>\n";
}

// The quantities on the arrows, drawn over every line. Each label takes the first free place
// along its arrow, nearest to where it would stand alone: one supplier's labels at different
// points of the way, all in its first half, where arrows that meet at a consumer are still apart.
class LabelPlacer {
public:
    explicit LabelPlacer(const Layout& at) : m_at(at) {}

    void Append(std::string& svg, const PlanSketch& sketch, const PlanRoute& route) {
        const bool apart = sketch.Suppliers[static_cast<std::size_t>(route.Supplier)].Fictitious ||
                           sketch.Consumers[static_cast<std::size_t>(route.Consumer)].Fictitious;
        const double x1 = m_at.LeftEdge() + m_at.NodeWidth;
        const double y1 = m_at.Y(route.Supplier);
        const double x2 = m_at.RightEdge() - 2;
        const double y2 = m_at.Y(route.Consumer);
        const int consumers = static_cast<int>(sketch.Consumers.size());
        const double preferred = 0.14 + 0.36 * route.Consumer / std::max(1, consumers - 1);
        const int width = 8 * static_cast<int>(route.Quantity.size()) + 8;
        Box chosen = At(x1 + preferred * (x2 - x1), y1 + preferred * (y2 - y1), width);
        for (int step = 0; step <= kSteps; ++step) {
            // preferred, then a little further on either side, up to the whole free stretch
            const double t = preferred + (step % 2 == 0 ? 1 : -1) * ((step + 1) / 2) * 0.025;
            if (t < 0.08 || t > 0.9) continue;
            const Box box = At(x1 + t * (x2 - x1), y1 + t * (y2 - y1), width);
            if (std::none_of(m_placed.begin(), m_placed.end(), [&box](const Box& other) { return box.Meets(other); })) {
                chosen = box;
                break;
            }
        }
        m_placed.push_back(chosen);
        svg += "<rect class=\"label\" x=\"" + Number(chosen.Left) + "\" y=\"" + Number(chosen.Top) + "\" width=\"" +
               Number(chosen.Width) + "\" height=\"" + Number(kHeight) + "\" rx=\"3\" fill=\"white\" stroke=\"" +
               (apart ? "#999999" : "#1f5fbf") + "\" stroke-width=\"0.5\"/>\n";
        AppendText(svg, chosen.Left + chosen.Width / 2, chosen.Top + 13, "middle", 12, route.Quantity,
                   " font-weight=\"bold\"");
    }

private:
    static constexpr int kHeight = 16;
    static constexpr int kSteps = 60;
    struct Box {
        int Left = 0;
        int Top = 0;
        int Width = 0;
        bool Meets(const Box& other) const {
            return Left < other.Left + other.Width + 2 && other.Left < Left + Width + 2 &&
                   Top < other.Top + kHeight + 1 && other.Top < Top + kHeight + 1;
        }
    };
    static Box At(double x, double y, int width) {
        return {static_cast<int>(std::lround(x)) - width / 2, static_cast<int>(std::lround(y)) - 9, width};
    }

    const Layout& m_at;
    std::vector<Box> m_placed;
};

// What the dashed and dotted lines mean, when the picture has them.
void AppendLegend(std::string& svg, const Layout& at, const PlanSketch& sketch) {
    const bool fictitious = std::any_of(sketch.Suppliers.begin(), sketch.Suppliers.end(),
                                        [](const PlanNode& node) { return node.Fictitious; }) ||
                            std::any_of(sketch.Consumers.begin(), sketch.Consumers.end(),
                                        [](const PlanNode& node) { return node.Fictitious; });
    const bool closed = std::any_of(sketch.Routes.begin(), sketch.Routes.end(),
                                    [](const PlanRoute& route) { return route.Closed; });
    std::string legend;
    if (fictitious) legend += "серым пунктиром - фиктивный пункт и перевозки с ним";
    if (fictitious && closed) legend += "; ";
    if (closed) legend += "красными точками и \u00D7 - закрытый маршрут";
    if (!legend.empty()) AppendText(svg, at.Width / 2, at.Height - 46, "middle", 11, legend, " fill=\"#555555\"");
}

// The bounded method's extended task: a last row and column at tariff M.
bool ExtendedTaskPresent(const SolveState& s) {
    if (!s.RestrictedTask || s.m < 2 || s.n < 2) return false;
    for (int j = 0; j + 1 < s.n; ++j) {
        if (s.Cell(s.m - 1, j).TariffM == 0) return false;
    }
    for (int i = 0; i + 1 < s.m; ++i) {
        if (s.Cell(i, s.n - 1).TariffM == 0) return false;
    }
    return true;
}

}  // namespace

PlanSketch SketchOfPlan(const SolveState& s, std::string_view caption) {
    int realSuppliers = s.m;
    int realConsumers = s.n;
    if (ExtendedTaskPresent(s)) --realSuppliers, --realConsumers;
    if (s.TotalSupply > s.TotalDemand) --realConsumers;
    if (s.TotalSupply < s.TotalDemand) --realSuppliers;
    PlanSketch sketch;
    sketch.Caption = caption;
    for (int i = 0; i < s.m; ++i) {
        const RimEntry& supply = s.Supplies[static_cast<std::size_t>(i)];
        sketch.Suppliers.push_back({"A" + Number(i + 1), FormatEpsValue(AsEpsValue(supply)), i >= realSuppliers});
    }
    for (int j = 0; j < s.n; ++j) {
        const RimEntry& demand = s.Demands[static_cast<std::size_t>(j)];
        sketch.Consumers.push_back({"B" + Number(j + 1), FormatEpsValue(AsEpsValue(demand)), j >= realConsumers});
    }
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (CarriesCargo(c)) {
                sketch.Routes.push_back({i, j, FormatEpsValue({c.Cargo, c.CargoEps}), false});
                sketch.ObjectiveM += std::int64_t{c.TariffM} * c.Cargo;
            } else if (s.RestrictedTask && IsClosedRoute(c)) {
                sketch.Routes.push_back({i, j, std::string(), true});
            }
        }
    }
    sketch.ObjectiveF = ComputeObjectiveF(s);
    return sketch;
}

PlanSketch SketchOfRun(const SolveState& s, const SolveRunResult& run, std::string_view caption) {
    PlanSketch sketch = SketchOfPlan(s, caption);
    sketch.Unsolvable = run.Unsolvable;
    sketch.Profit = run.Outcome.Maximise;
    return sketch;
}

std::string PlanSvg(const PlanSketch& sketch) {
    const Layout at = LayoutFor(sketch);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                      "width=\"" + Number(at.Width) + "\" height=\"" + Number(at.Height) + "\" viewBox=\"0 0 " +
                      Number(at.Width) + " " + Number(at.Height) +
                      "\" font-family=\"Arial, Helvetica, sans-serif\">\n<title>Схема перевозок</title>\n"
                      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    AppendText(svg, at.Width / 2, 26, "middle", 16, "Схема перевозок", " font-weight=\"bold\"");
    if (!sketch.Caption.empty()) AppendText(svg, at.Width / 2, 46, "middle", 12, sketch.Caption);
    if (!at.Labels) {
        AppendText(svg, at.Width / 2, 64, "middle", 11,
                   Format("Поставщиков или потребителей больше %d: количества перевозок - во всплывающих",
                          kReadableSide));
        AppendText(svg, at.Width / 2, 78, "middle", 11, "подсказках стрелок, закрытые маршруты не показаны.");
    }
    for (const PlanRoute& route : sketch.Routes) {
        if (route.Closed && at.Labels) AppendRoute(svg, at, sketch, route);
    }
    for (const PlanRoute& route : sketch.Routes) {
        if (!route.Closed) AppendRoute(svg, at, sketch, route);
    }
    if (at.Labels) {
        LabelPlacer labels(at);
        for (const PlanRoute& route : sketch.Routes) {
            if (!route.Closed) labels.Append(svg, sketch, route);
        }
    }
    for (std::size_t i = 0; i < sketch.Suppliers.size(); ++i) {
        AppendNode(svg, at, sketch.Suppliers[i], at.LeftEdge(), static_cast<int>(i));
    }
    for (std::size_t j = 0; j < sketch.Consumers.size(); ++j) {
        AppendNode(svg, at, sketch.Consumers[j], at.RightEdge(), static_cast<int>(j));
    }
    if (at.Labels) AppendLegend(svg, at, sketch);
    std::string total = "Целевая функция F = ";
    if (sketch.ObjectiveM != 0) total += Number(sketch.ObjectiveM) + "M" + (sketch.ObjectiveF < 0 ? "" : "+");
    total += Number(sketch.ObjectiveF);
    if (sketch.Profit && sketch.ObjectiveM == 0) total = "Прибыль = " + Number(-sketch.ObjectiveF);
    if (sketch.Unsolvable) total = "Задача неразрешима из-за наложенных ограничений";
    AppendText(svg, at.Width / 2, at.Height - 24, "middle", 14, total, " font-weight=\"bold\"");
    return svg + "</svg>\n";
}

}  // namespace kargolo
