#include "shell/FileWriters.h"

#include "shell/TextChecks.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Form.h"
#include "platform/StringList.h"

#include <stdexcept>

TXMLNode Load_Config_Root(TXMLDocument& Document, const QString& FileName)
{
    Document.SetActive(true);
    if (!Document.LoadFromFile(FileName))
        throw std::runtime_error(Document.ErrorMessage().toStdString());
    return Document.Root();
}

Integer Config_Integer(const TXMLNode& Root, const QString& Name, Integer Fallback)
{
    return Text_To_Int(Root.FindChild(Name).Text(), Fallback);
}

void Save_Text_Lines(const TStrings& Lines, const QString& FileName, TTextEncoding Encoding)
{
    QString error;
    if (!Lines.SaveToFile(FileName, Encoding, &error))
        throw std::runtime_error(QStringLiteral("Cannot write the file \"%1\": %2").arg(FileName, error).toStdString());
}

bool Confirm_Overwrite(const QString& FileName, const QString& Question, bool WithCancel)
{
    if (!FileExists(FileName))
        return true;
    return MessageDlg(Question, mtConfirmation, WithCancel ? mbYesNoCancel : mbYesNo) == mrYes;
}

void Run_Step(const std::function<void()>& Step)
{
    try {
        Step();
    } catch (const std::exception& e) {
        Application->ShowException(e);
    }
}
