// The controller: owns the document and every window, runs every numbered command and reacts
// to the windows' events. The windows never call each other; they raise events that land here.
#pragma once

#include "core/contour_levels.h"
#include "core/density.h"
#include "core/diagram_settings.h"
#include "core/document.h"
#include "core/keyed_collection.h"
#include "core/local_maxima.h"
#include "core/measurement.h"
#include "core/orientation_statistics.h"
#include "diagrams/diagram_page.h"
#include "diagrams/pole_labels.h"
#include "platform/window_position.h"
#include "windows/grade.h"
#include "windows/pole.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class Dialogs;
class DrawingSurface;
class FileAssociation;
class QMdiSubWindow;
class QWidget;
class frmMain;
class frmMap;
class frmPEdit;
class frmRankSet;
class frmStatistics;

class Contour : public QObject {
    Q_OBJECT
  public:
    Contour(Dialogs& dialogs, const FileAssociation& association, QObject* parent = nullptr);
    ~Contour() override;
    Contour(const Contour&) = delete;
    Contour& operator=(const Contour&) = delete;

    // Creates and shows the windows, then opens the data file the command line names or draws
    // the empty diagrams.
    void Initialise(const QString& commandLine);
    // End of the run: writes the grid options to the settings file.
    void Terminate();

    // The windows, null once the exit has unloaded them.
    frmMain* FormMain = nullptr;
    frmMap* FormCont = nullptr;
    frmMap* FormPlot = nullptr;
    frmMap* FormRank = nullptr;
    frmMap* FormRose = nullptr;
    frmRankSet* FormRSet = nullptr;
    // The maximum-point list while it is open.
    frmPEdit* FormPE = nullptr;
    // The statistics window, from the first time it is opened.
    frmStatistics* FormStat = nullptr;

    // Measurements counted by the last density run.
    int DataNumbers() const { return dataNumbers_; }
    // Everything the last density run left: grid, counts, histogram, rank colours (what the
    // legend window draws from).
    const Density::DensityResult& DensityResults() const { return density_; }

    // Commands and events of the main window.
    void FormMain_MenuClick(int Index);
    void FormMain_QueryUnload(bool& Cancel, int UnloadMode);

    // A fresh document; with ResetGrid the grid is set up afresh and the diagrams redrawn.
    void NewDocument(bool ResetGrid);
    // Reads the data file and, only when it reads whole, replaces the document with it.
    bool OpenDataFile(const QString& path);
    // Writes the document to `path` (FileName when empty); true on success.
    bool SaveDataFile(const QString& path);
    // The document as it stands in the windows.
    Document CurrentDocument() const;
    // Density run, legend and the four diagrams, with the windows disabled meanwhile.
    void RedrawAll();

    // State, for the windows and for tests.
    const QString& FileName() const { return fileName_; }
    bool Modified() const { return modified_; }
    bool GridVisible(int index) const { return gridVisible_[index]; }
    bool ShowContourOnRank() const { return showContourOnRank_; }
    int RoseDivisions() const { return roseDivisions_; }
    const KeyedCollection<Grade>& Levels() const { return Grades; }
    const KeyedCollection<Pole>& ContourPoleList() const { return ContourPoles; }
    const KeyedCollection<Pole>& PlotPoleList() const { return PlotPoles; }

    // A new contour level at `value`, numbered one above the highest level label loaded,
    // with the default colour and pattern of its number (command 111 passes 0).
    Grade& AddLevel(float value);
    // A new maximum point on `form` (the contour diagram or the plot), at the net's centre
    // with its label left of the net.
    Pole& AddPole(frmMap* form);

    // Where a printed diagram goes: a fresh surface for each page, or nothing when the machine
    // has no printer. The default is the user's default printer; tests print to PDF.
    using PrinterFactory = std::function<std::unique_ptr<DrawingSurface>()>;
    void SetPrinterFactory(PrinterFactory factory) { printerFactory_ = std::move(factory); }

  protected:
    // Waits for the frame's first activation (see frontAtStart_).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Window creation and events.
    void CreateWindows();
    void ConnectMapEvents(frmMap* form);
    void ShowPopupMenu(int Index);
    void EnablePoleCommands(bool enabled);
    void EnableLevelCommands(bool enabled);
    // Items 301, 311 and 321, usable while a level exists.
    void EnableLevelItems(bool enabled);
    void FormMap_MovePole(frmMap* form, int Index, float X, float Y);
    void FormRSet_Move(int Index, float Value);
    void FormPE_Remove();
    void SetChildWindowsEnabled(bool enabled);
    void UnloadChildWindows();
    void SetCaption();
    // Whether the document has a file of its own to be saved over without a dialog.
    bool HasOwnFile() const;
    // Asks whether to save a changed document, and saves on Yes. False when the document must
    // stay: Cancel, a cancelled save dialog or a failed save.
    bool SaveChangesFirst();
    // The message that says why `path` cannot be opened as a data file (missing, or of
    // another type), or an empty text when it can be.
    static QString UnopenableMessage(const QString& path);
    void ReportUnopenable(const QString& message);
    // Where the open and save dialogs start: the current document's folder, else the folder a
    // file was last opened from or saved to.
    QString DialogFolder() const;

    // Commands.
    void NewCommand();
    void SaveCommand();
    void SaveAsCommand();
    void OpenCommand();
    void PrintCommand();
    void PrinterSetupCommand();
    void RedrawActiveCommand();
    void CopyCommand();
    void ToggleGridCommand(int index);
    void RankMenuOpened();
    void ChangeRoseWidth();
    // Measurements from a file another program wrote, after a preview; the data set written
    // as CSV for other programs.
    void ImportCommand();
    void ExportDataCommand();

    // Analysis: maximum points at the density maxima, the statistics window, what the plot
    // draws.
    void PlaceAutomaticMaxima();
    // The maxima the command places: inside the lowest level's area, or the five highest when
    // there is no level; none where a maximum point already stands.
    std::vector<LocalMaxima::Maximum> MaximaToPlace() const;
    void ShowStatisticsWindow();
    void RefreshStatistics();
    void SetPlotMode(DiagramSettings::PlotMode mode);
    void TogglePlotStatistics();
    void CheckPlotItems();

    // Contour levels, on the legend's selected level.
    Grade* SelectedLevel(const QString& title);
    void ChangeLevelValue();
    // A new value for a level; a value that differs from the one shown changes the document.
    void SetLevelValue(Grade& level, float value);
    void ChangeLevelColour();
    void ChangeLevelPattern(int pattern);
    void DeleteLevel(int index);

    // Maximum points, on the contour diagram when it is active, else on the plot.
    frmMap* PoleWindow() const;
    KeyedCollection<Pole>& PolesOf(const frmMap* form);
    void AddPoleCommand();
    // A maximum point of `form` was added, moved, relabelled or deleted.
    void PolesEdited(const frmMap* form);
    void DeletePopupPole();
    void OpenPoleList();

    // Document pieces.
    void ClearDiagramObjects();
    void ApplyDocument(const Document& document);
    // The grid set up afresh holding `rows` (at least its hundred rows).
    void FillDataGrid(const std::vector<Document::Row>& rows);
    // The diagrams drawn from the grid's new data, as after an open; the grid's current cell
    // on the first data cell.
    void RedrawLoadedData();

    // The contour levels as the diagrams read them, in collection order.
    std::vector<ContourLevels::Level> LevelsForDrawing() const;
    // The levels to draw from the highest value down, each value once (the first level in
    // collection order of equal ones).
    std::vector<ContourLevels::Level> PrepareLevels() const;
    void ShowDataError();
    void ChangeScanCount();

    // Drawing: 0 draws on the window's picture, non-zero prints one page.
    void ComputeDensity();
    // The legend's bars, then every level placed at its value in the new scale.
    void DrawRankLegend();
    void DrawPlot(int flag);
    void DrawRose(int flag);
    void DrawRankDiagram(int flag);
    void DrawContourDiagram(int flag);
    // The contour diagram's maximum points as it draws them.
    std::vector<PoleLabels::Marker> ContourMarkers() const;
    // Draws them afresh on the contour picture as it was before its markers were drawn.
    void DrawContourMarkers();
    // One diagram on one printed page; a missing or failing printer is reported, never
    // passed over. The windows' pictures are not touched.
    bool PrintDiagram(const QString& title, const DiagramPage::DiagramDrawing& draw);
    // Runs `print` on a fresh printer surface; a missing printer or a print that reports
    // failure is told to the user. True when the printer took the document.
    bool PrintOnPrinter(const std::function<bool(DrawingSurface&)>& print);
    // The measurements of the data grid as a ruled list, several blocks side by side a page.
    bool PrintDataList();
    // The data set, walking the grid as every diagram does: angle cells longer than four
    // characters are rewritten, the first blank row ends it and becomes the current row.
    // Valid until the next call.
    const std::vector<Measurements::Measurement>& ReadMeasurements();
    // While one lives, the grid is walked once and the count, the plot and the rose share
    // that walk (a long data set would otherwise be read three times per redraw).
    class SingleGridWalk;

    Dialogs& dialogs_;
    PrinterFactory printerFactory_;
    const FileAssociation& association_;
    WindowPosition Positions;

    // The document's maximum points and contour levels, keyed "P_" and "Gr_" + number.
    KeyedCollection<Pole> PlotPoles;
    KeyedCollection<Pole> ContourPoles;
    KeyedCollection<Grade> Grades;

    // The last walk of the grid; kept for the other diagrams while walkShared_.
    std::vector<Measurements::Measurement> measurements_;
    bool walkShared_ = false;
    // The window stored maximised. Until the frame is first activated, which activates every
    // child window in turn, no child takes the maximised state over from another; then this one
    // is brought back to the front.
    QPointer<QMdiSubWindow> frontAtStart_;
    bool walkDone_ = false;

    // The contour picture without its maximum points, to draw them again after an edit.
    QImage contourUnderMarkers_;
    // The last density run; not allocated before the first one and after a new document.
    Density::DensityResult density_;
    OrientationStatistics::Statistics statistics_;
    // statistics_ belongs to the data of the walk under way: the plot need not count again.
    bool statisticsOfWalk_ = false;
    DiagramSettings::PlotMode plotMode_ = DiagramSettings::PlotMode::Poles;
    bool plotStatistics_ = false;
    int countMax_ = 0;
    int dataNumbers_ = 0;
    long countedNodes_ = 0;
    int roseDivisions_ = 16;
    QString fileName_;
    // Neither opened nor saved yet: FileName is only the proposed name, whatever file of
    // that name the current folder may hold.
    bool untitled_ = true;
    QString lastFolder_;
    bool showContourOnRank_ = true;
    bool modified_ = false;
    std::array<bool, 3> gridVisible_{};
};

class Contour::SingleGridWalk {
  public:
    explicit SingleGridWalk(Contour& contour);
    ~SingleGridWalk();
    SingleGridWalk(const SingleGridWalk&) = delete;
    SingleGridWalk& operator=(const SingleGridWalk&) = delete;

  private:
    Contour& contour_;
};
