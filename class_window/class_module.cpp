// The entry point of the class window's module.
#include "class_window/class_module.h"

#include "class_window/class_window.h"

extern "C" Q_DECL_EXPORT QDialog* zorvelCreateClassWindow(zorvel::classroom::ClassData& data)
{
    return zorvel::classroom::createClassWindow(data).release();
}
