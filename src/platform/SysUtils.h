#pragma once
// The root exception class of the layer. Each derived class is declared
// beside the facility that raises it.

#include <QString>
#include <QByteArray>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(const QString& msg) : FMessage(msg), FUtf8(msg.toUtf8()) {}
    ~Exception() override = default;
    const QString& Message() const { return FMessage; }
    void SetMessage(const QString& m) { FMessage = m; FUtf8 = m.toUtf8(); }
    const char* what() const noexcept override { return FUtf8.constData(); }
    virtual QString ClassName() const { return QStringLiteral("Exception"); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// Declares an exception class derived from Base with its class name.
#define DECLARE_EXCEPTION(Name, Base)                                       \
    class Name : public Base {                                              \
    public:                                                                 \
        using Base::Base;                                                   \
        QString ClassName() const override { return QStringLiteral(#Name); } \
    };

DECLARE_EXCEPTION(EConvertError, Exception)
DECLARE_EXCEPTION(EInvalidOp, Exception)
DECLARE_EXCEPTION(EListError, Exception)
DECLARE_EXCEPTION(EStringListError, Exception)
DECLARE_EXCEPTION(EInvalidOperation, Exception)
DECLARE_EXCEPTION(EComponentError, Exception)
DECLARE_EXCEPTION(EInOutError, Exception)
DECLARE_EXCEPTION(EStreamError, Exception)
DECLARE_EXCEPTION(EFOpenError, EStreamError)
DECLARE_EXCEPTION(EFCreateError, EStreamError)
DECLARE_EXCEPTION(EOutOfResources, Exception)
DECLARE_EXCEPTION(EInvalidGraphic, Exception)
DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)
DECLARE_EXCEPTION(EAbort, Exception)

// Silent exception: unwinds without a dialog at the event boundary.
[[noreturn]] void Abort();
