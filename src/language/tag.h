#pragma once
// Caption numbers of windows, controls and actions.
//
// Every translatable QObject carries its caption number in the dynamic property "tag" (int); 0 or no
// property means "not translated". Set it with setTag(object, number) with the number written as a
// literal, so that the text check (textpruefung.h) finds it.

#include <QObject>
#include <QVariant>

namespace velmora::language {

inline void setTag(QObject* object, int tag) {
    object->setProperty("tag", tag);
}
inline int tagOf(const QObject* object) {
    return object->property("tag").toInt();
}

} // namespace velmora::language
