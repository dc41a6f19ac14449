#include "pages/ResultPage.h"

#include "graphics/VBColor.h"

#include <QPrinter>

ResultPage::ResultPage(Session& s, QWidget* parent) : gfx::PictureBox(parent), m_s(s) {}

ResultPage::~ResultPage() = default;

void ResultPage::drawScreen()
{
    Cls();
    if (m_HBOKF == -1) KOPFFUSSZEILE(0, nullptr);
    for (const Diagram& d : diagrams()) d.draw(0, 0, 0, nullptr);
}

void ResultPage::KONTEXT(short HBOKF, short HBOKFS, qint32 FARBEMDI, qint32 FARBEPIC)
{
    BackColor = FARBEMDI;
    for (gfx::PictureBox* box : pictureBoxes()) box->BackColor = FARBEPIC;
    m_HBOKF = HBOKF;
    m_HBOKFS = HBOKFS;
    drawScreen();
}

// Printing is built on top of this (PrinterSurface, offsets, failure box).
void ResultPage::DRUCKEN() {}
bool ResultPage::DRUCKEN(QPrinter&) { return false; }
