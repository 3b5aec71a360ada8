#include "diagrams/printer_surface.h"

#include <QPainter>

PrinterSurface::PrinterSurface() : DrawingSurface(0, 0), printer_(QPrinter::HighResolution) {}

PrinterSurface::~PrinterSurface() {
    EndPainting();
}

QSizeF PrinterSurface::DeviceSize() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
}

double PrinterSurface::DpiX() const {
    return printer_.resolution();
}
double PrinterSurface::DpiY() const {
    return printer_.resolution();
}

double PrinterSurface::Width() const {
    return printer_.pageLayout().fullRectPoints().width() * 20.0;
}
double PrinterSurface::Height() const {
    return printer_.pageLayout().fullRectPoints().height() * 20.0;
}

bool PrinterSurface::BeginPainting(QPainter& painter) {
    if (failed_)
        return false; // one failure per document, not one per drawing call
    if (!painter.begin(&printer_)) {
        failed_ = true;
        return false;
    }
    return true;
}

void PrinterSurface::NewPage() {
    if (DocumentOpen())
        printer_.newPage();
    SetCurrentX(0);
    SetCurrentY(0);
}

bool PrinterSurface::EndDoc() {
    const bool hadFailed = failed_;
    failed_ = false;
    const bool ended = EndPainting();
    return ended && !hadFailed && printer_.printerState() != QPrinter::Error;
}

void PrinterSurface::KillDoc() {
    if (DocumentOpen())
        printer_.abort();
    EndPainting();
    failed_ = false;
}

int PrinterSurface::ColorMode() const {
    return printer_.colorMode() == QPrinter::Color ? Color : Monochrome;
}

void PrinterSurface::SetColorMode(int mode) {
    if (mode == Color)
        printer_.setColorMode(QPrinter::Color);
    else if (mode == Monochrome)
        printer_.setColorMode(QPrinter::GrayScale);
}
