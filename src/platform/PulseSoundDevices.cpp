// The sound server's sinks and sources, listed with libpulse.
#include "platform/PulseSoundDevices.h"

#include <pulse/pulseaudio.h>

namespace kelvaro {

namespace {

struct Listing {
    std::vector<SoundDevice> Devices;
    bool Done = false;
};

template <class Info>
void Collect(pa_context*, const Info* info, int eol, void* data) {
    auto* listing = static_cast<Listing*>(data);
    if (eol != 0 || info == nullptr) {
        listing->Done = true;
        return;
    }
    listing->Devices.push_back(
        {info->name != nullptr ? info->name : "",
         info->description != nullptr && *info->description != '\0' ? info->description : info->name});
}

/// Runs a private main loop until the server has answered (or refused).
std::vector<SoundDevice> List(bool outputs) {
    pa_mainloop* loop = pa_mainloop_new();
    if (loop == nullptr) {
        return {};
    }
    Listing listing;
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Kelvaro");
    if (context != nullptr && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        pa_context_state_t state = PA_CONTEXT_UNCONNECTED;
        while ((state = pa_context_get_state(context)) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(state)) {
            if (pa_mainloop_iterate(loop, 1, nullptr) < 0) {
                break;
            }
        }
        if (state == PA_CONTEXT_READY) {
            pa_operation* operation =
                outputs ? pa_context_get_sink_info_list(context, &Collect<pa_sink_info>, &listing)
                        : pa_context_get_source_info_list(context, &Collect<pa_source_info>, &listing);
            while (operation != nullptr && !listing.Done &&
                   pa_operation_get_state(operation) == PA_OPERATION_RUNNING) {
                if (pa_mainloop_iterate(loop, 1, nullptr) < 0) {
                    break;
                }
            }
            if (operation != nullptr) {
                pa_operation_unref(operation);
            }
        }
        pa_context_disconnect(context);
    }
    if (context != nullptr) {
        pa_context_unref(context);
    }
    pa_mainloop_free(loop);
    return listing.Devices;
}

}  // namespace

std::vector<SoundDevice> PulseSoundDevices::Outputs() {
    return List(true);
}

std::vector<SoundDevice> PulseSoundDevices::Inputs() {
    return List(false);
}

}  // namespace kelvaro
