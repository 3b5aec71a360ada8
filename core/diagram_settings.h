// The diagram options the settings file keeps beside the global settings: the polar grid of
// the plot, graded-shading and contour diagrams, and the rose's division count. The program and
// the batch export read them the same way.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace DiagramSettings {

// Polar grid shown: 0 plot, 1 graded shading, 2 contour.
using GridFlags = std::array<bool, 3>;

constexpr int16_t kDefaultRoseDivisions = 16;
constexpr int16_t kMaxRoseDivisions = 360;

// The three "ｸﾞﾘｯﾄﾞ" keys; False when missing or not a Boolean.
GridFlags ReadGridVisible();
// Writes them as "True"/"False" (at the end of a run).
void WriteGridVisible(const GridFlags& flags);
// "分割角度数"; 16 when missing or outside 1 to 360.
int16_t ReadRoseDivisions();

// What the plot draws for each plane: its pole, its great circle, or both.
enum class PlotMode { Poles, Circles, Both };
// "poles", "circles", "both": the settings file's value and the batch export's option.
QString PlotModeText(PlotMode mode);
std::optional<PlotMode> PlotModeFromText(const QString& text);
// Section "投影図", key "描画"; poles when missing or not one of the three words.
PlotMode ReadPlotMode();
void WritePlotMode(PlotMode mode);
// Section "投影図", key "ｶﾞｰﾄﾞﾙと平均極": the best-fit girdle and the mean pole with its cone
// drawn over the plot. False when missing or not a Boolean.
bool ReadPlotStatistics();
void WritePlotStatistics(bool on);

} // namespace DiagramSettings
