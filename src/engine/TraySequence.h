#pragma once

#include "engine/AutoSwitch.h"
#include "net/AdapterAddresses.h"
#include "net/Connections.h"
#include "platform/AdapterList.h"
#include "platform/Clock.h"

#include <functional>
#include <string>

// The tray's sequence without its window: read the adapters, decide whether
// the tip is stale and whether automatic configuration is due, and run each
// piece of Tolvi's own work so that what it puts in force starts nothing.
class CTraySequence {
public:
    // What one read of the adapters asks of the tray.
    struct Next {
        bool bTip = false; // the adapters changed
        bool bRun = false; // automatic configuration is due, by itself
        friend bool operator==(const Next&, const Next&) = default;
    };

    // Busy for its life: the menu, an operation or the main dialog is up,
    // and their loops pump whatever arrives meanwhile.
    class CBusy {
    public:
        explicit CBusy(CTraySequence& sequence) : m_sequence(sequence) { ++m_sequence.m_nBusy; }
        ~CBusy() { --m_sequence.m_nBusy; }
        CBusy(const CBusy&) = delete;
        CBusy& operator=(const CBusy&) = delete;

    private:
        CTraySequence& m_sequence;
    };

    // The icon in the notification area.
    class IIcon {
    public:
        virtual ~IIcon() = default;
        virtual bool IsShown() const = 0;
        // False while the shell cannot take it.
        virtual bool Add() = 0;
    };

    CTraySequence(IAdapterList& adapters, IClock& clock) : m_switch(clock), m_addresses(adapters) {}

    CAutoSwitch& Switch() { return m_switch; }
    bool IsBusy() const { return m_nBusy > 0; }

    // Reads the adapters. While busy nothing follows but what is known.
    Next ReadAdapters();
    // A tick of the poll: the icon is added again until it shows, since at
    // log-on the taskbar may not be ready and says nothing once it is; then
    // the adapters are read.
    Next Poll(IIcon& icon);

    // The last outcome, kept for the menu's first line and the tip, so that
    // none is lost where notifications are hidden: "Last: 'Lab' works on
    // "LAN" (10:42)" from the outcome's first line; empty before any.
    void NoteOutcome(const std::string& text, int nHour, int nMinute);
    const std::string& LastOutcome() const { return m_lastOutcome; }
    // Runs the work busy, as Tolvi's own, on these connections.
    void RunAsOwnWork(IConnections& connections, const std::function<void()>& work);

private:
    CAutoSwitch m_switch;
    CAdapterAddresses m_addresses;
    int m_nBusy = 0;
    std::string m_lastOutcome;
};
