#pragma once
// The checks of one MQTT topic row and the template test, apart from the
// window's widgets.

#include <QString>
#include <functional>

enum TMQTTPage { MQTTPublishPage = 0, MQTTSubscribePage = 1 };

// True when a template is faulty: it holds an odd number of "$".
bool Error_In_Topic_Template(const QString& Str);

// The first failing check of a data row of a page, or an empty text. A
// check belongs to its column and is skipped while hidden(col) says so; the
// publish page's timer check is never skipped. byteLimit: the page's
// data-array size.
QString MQTTRowFault(TMQTTPage page, const std::function<QString(int col)>& cell,
                     const std::function<bool(int col)>& hidden, int byteLimit);
