#include "common/CommandGuard.h"

#include "common/Errors.h"

#include <new>

bool runGuarded(UserPrompts &prompts, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const FortavoError &e) {
        prompts.error(e.message());
    } catch (const std::bad_alloc &) {
        prompts.error(QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        prompts.error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
