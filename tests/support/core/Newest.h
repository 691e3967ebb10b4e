#pragma once
#include <QList>

namespace pinakos::test {

// Keeps, for the objects of one kind, the order in which those alive now were
// made, so that when one ends the newest of the others can take over again.
// A member of the kept object, made with its owner.
template <class T>
class Newest
{
public:
    explicit Newest(T* owner) : m_owner(owner) { alive().append(owner); }
    ~Newest() { alive().removeOne(m_owner); }
    Newest(const Newest&) = delete;
    Newest& operator=(const Newest&) = delete;

    // The newest object of this kind alive besides the owner, or none.
    T* other() const
    {
        for (auto it = alive().crbegin(); it != alive().crend(); ++it)
            if (*it != m_owner)
                return *it;
        return nullptr;
    }

private:
    static QList<T*>& alive()
    {
        static QList<T*> objects;
        return objects;
    }

    T* m_owner;
};

} // namespace pinakos::test
