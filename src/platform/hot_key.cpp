#include "platform/hot_key.h"

void FirstWorkingHotKey::add(GlobalHotKey* way)
{
    way->setParent(this);
    m_ways.append(way);
    connect(way, &GlobalHotKey::pressed, this, [this, way](int id) {
        if (m_holders.value(id) == way)
            emit pressed(id);
    });
}

bool FirstWorkingHotKey::registerKey(int id, QKeyCombination key)
{
    for (GlobalHotKey* way : m_ways) {
        if (way->registerKey(id, key)) {
            m_holders.insert(id, way);
            return true;
        }
    }
    return false;
}

void FirstWorkingHotKey::unregisterKey(int id)
{
    if (GlobalHotKey* way = m_holders.take(id))
        way->unregisterKey(id);
}
