// The printer as a drawing surface: one document per EndDoc, pages by NewPage, the drawable
// area is the printable area of the page.
#pragma once

#include "diagrams/drawing_surface.h"

#include <QPrinter>

class PrinterSurface : public DrawingSurface {
  public:
    PrinterSurface();
    ~PrinterSurface() override;

    // The printer behind the surface, for the printer dialog and for tests (PDF output).
    QPrinter& Printer() { return printer_; }

    bool IsPrinter() const override { return true; }
    // Ends the page and begins the next; nothing happens before a document has begun.
    void NewPage() override;
    // Sends the document; false when the printer reported a failure. Drawing after it starts
    // a new document.
    bool EndDoc() override;
    // Abandons the document being printed.
    void KillDoc();
    // True when the printer could not start the last document; reset by EndDoc.
    bool Failed() const { return failed_; }

    int ColorMode() const override;
    void SetColorMode(int mode);
    double DpiX() const override;
    double DpiY() const override;
    // The paper in twips.
    double Width() const override;
    double Height() const override;

  protected:
    QPaintDevice* Device() override { return &printer_; }
    const QPaintDevice* MetricsDevice() const override { return &printer_; }
    QSizeF DeviceSize() const override;
    bool VectorOutput() const override { return true; }
    bool BeginPainting(QPainter& painter) override;
    bool ClearsOnCls() const override { return false; }

  private:
    QPrinter printer_;
    bool failed_ = false;
};
