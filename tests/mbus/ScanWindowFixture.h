#pragma once
// The scan window as the main window's step opens it, on a configuration
// folder of its own, with its engine made quick and pointed at a simulated
// converter on 127.0.0.1; and the dialogs it opens.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "SimConverter.h"
#include "platform/Graphics.h"

class TFxButton;

class TFScanDecode;

// What the wireless table shows (the grid is read in a unit of its own).
QString Wireless_Cell(TFScanDecode* Form, Integer Col, Integer Row);
Integer Wireless_Rows(TFScanDecode* Form);
TColor Wireless_Color(TFScanDecode* Form, Integer Col, Integer Row);
// The picture of a cell (-1: none).
Integer Wireless_Image(TFScanDecode* Form, Integer Col, Integer Row);
// The start-position dialog's grid.
QString Start_Cell(Integer Col, Integer Row);
void Set_Start_Cell(Integer Col, Integer Row, const QString& Text);
Integer Start_Rows();

class ScanWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the window (not modally) as the step does, then points its
    // address at the simulated converter.
    void Open();
    // Presses Start Scan and waits for the engine to end, delivering the
    // progress as the message loop does, and for the window's timer.
    void Scan_To_End(TFxButton* Start);
    // Waits, processing messages, until the window's timer has seen the
    // scan end and shown its results.
    void Wait_Timer_End();
    // Presses Start where the engine cannot open its link: one error box
    // naming Reason, no scan, and the window still in its set-up.
    void Expect_Start_Refused(const QString& Reason);
    // Processes messages until Done holds, at most Milliseconds.
    bool Pump_Until(const std::function<bool()>& Done, int Milliseconds = 20000);
    void Screenshot(const char* Name);
    void Write(const QString& Path, const QByteArray& Text);
    // An attribute of every element of that name in M_Bus.xml.
    static QStringList Values(const char* Element, const char* Attribute);
    static QByteArray Read(const QString& Path);

    QTemporaryDir dir;
    TSimConverter sim;
    TFScanDecode* form = nullptr;
};
