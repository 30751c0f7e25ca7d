<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutInfo</name>
    <message>
        <location filename="../../dialogs/aboutinfo.cpp" line="+31"/>
        <source>About %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>RDM Version: </source>
        <translation>RDM Version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Art-Net Version: </source>
        <translation>Art-Net Version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Streaming ACN Version: </source>
        <translation>Streaming ACN Version: </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>AuthorName</source>
        <extracomment>Write here your own name for view it in about window for translation</extracomment>
        <translation>AuthorName</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Translated by %1</source>
        <extracomment>parameter is the author name for translations</extracomment>
        <translation>Translated by %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&lt;center&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version: %2 for %3&lt;br&gt;Date: %4&lt;br&gt;%5&lt;br&gt;Developed by %6&lt;br&gt;%7&lt;br&gt;%8&lt;/center&gt;</source>
        <translation>&lt;center&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version: %2 for %3&lt;br&gt;Date: %4&lt;br&gt;%5&lt;br&gt;Developed by %6&lt;br&gt;%7&lt;br&gt;%8&lt;/center&gt;</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&lt;center&gt;Third Party&lt;br&gt;%1 under %2&lt;/center&gt;</source>
        <translation>&lt;center&gt;Third Party&lt;br&gt;%1 under %2&lt;/center&gt;</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <location filename="../../capture/capturereader.cpp" line="+24"/>
        <source>%1 cannot be replayed: it is not a packet capture (pcap or pcapng) that can be read (%2).</source>
        <translation>%1 cannot be replayed: it is not a packet capture (pcap or pcapng) that can be read (%2).</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Replay stopped at packet %1, byte offset %2: %3</source>
        <translation>Replay stopped at packet %1, byte offset %2: %3</translation>
    </message>
</context>
<context>
    <name>ChannelList</name>
    <message>
        <location filename="../../net/channellist.cpp" line="+28"/>
        <source>&quot;%1&quot; is not universe.channel (for example 1.4)</source>
        <translation>&quot;%1&quot; is not universe.channel (for example 1.4)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot;: channels are 1 to 512</source>
        <translation>&quot;%1&quot;: channels are 1 to 512</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>no channel given (for example 1.4 or 1.4-1.6)</source>
        <translation>no channel given (for example 1.4 or 1.4-1.6)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; is not a range (for example 1.4-1.6)</source>
        <translation>&quot;%1&quot; is not a range (for example 1.4-1.6)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot;: a range runs upwards within one universe</source>
        <translation>&quot;%1&quot;: a range runs upwards within one universe</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>at most %1 channels can be watched</source>
        <translation>at most %1 channels can be watched</translation>
    </message>
</context>
<context>
    <name>ChannelScope</name>
    <message>
        <location filename="../../dialogs/channelscope.cpp" line="+42"/>
        <location line="+207"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="-205"/>
        <source>Arm Trigger</source>
        <translation>Arm Trigger</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+244"/>
        <location line="+20"/>
        <source>Log to File...</source>
        <translation>Log to File...</translation>
    </message>
    <message>
        <location line="-262"/>
        <source>Channel Scope</source>
        <translation>Channel Scope</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>universe.channel, e.g. 1.4 or 1.4-1.6</source>
        <translation>universe.channel, e.g. 1.4 or 1.4-1.6</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>rising</source>
        <translation>rising</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>falling</source>
        <translation>falling</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Window:</source>
        <translation>Window:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Trigger:</source>
        <translation>Trigger:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>level</source>
        <translation>level</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Log stopped: %1</source>
        <translation>Log stopped: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>At most %1 channels can be watched.</source>
        <translation>At most %1 channels can be watched.</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Triggered: %1 crossed %2.</source>
        <translation>Triggered: %1 crossed %2.</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>%1: %2 (%3 %) from %4</source>
        <translation>%1: %2 (%3 %) from %4</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Log written to %1.</source>
        <translation>Log written to %1.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Log to File</source>
        <translation>Log to File</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot log to %1: %2</source>
        <translation>Cannot log to %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stop Log</source>
        <translation>Stop Log</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Logging every change to %1.</source>
        <translation>Logging every change to %1.</translation>
    </message>
</context>
<context>
    <name>CheckSoftwareUpdate</name>
    <message>
        <location filename="../../dialogs/checksoftwareupdate.cpp" line="+96"/>
        <source>There is no internet connection available to check for updates!</source>
        <translation>There is no internet connection available to check for updates!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>There is no update available!</source>
        <translation>There is no update available!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Check for Updates</source>
        <translation>Check for Updates</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <location filename="../../net/findings.cpp" line="+17"/>
        <source>sACN data for this universe arrives on the multicast group of universe %1. Receivers that joined only this universe&apos;s group never see it: set the sender to send each universe to its own group.</source>
        <translation>sACN data for this universe arrives on the multicast group of universe %1. Receivers that joined only this universe&apos;s group never see it: set the sender to send each universe to its own group.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The source repeats unchanged levels less often than once a second. Fixtures drop a source after 2.5 s without a packet: set the sender&apos;s refresh (keep-alive) to one second or less.</source>
        <translation>The source repeats unchanged levels less often than once a second. Fixtures drop a source after 2.5 s without a packet: set the sender&apos;s refresh (keep-alive) to one second or less.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Packets of this source are missing (gaps in its sequence numbers). Check cables, switch ports and the load of the network.</source>
        <translation>Packets of this source are missing (gaps in its sequence numbers). Check cables, switch ports and the load of the network.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Packets of this source arrive out of order, which happens when they take two paths through the network. Check for a second route or a loop.</source>
        <translation>Packets of this source arrive out of order, which happens when they take two paths through the network. Check for a second route or a loop.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Packets of this source arrive twice, for example through two network cards of the sender or a loop. Give the sender one way into the lighting network.</source>
        <translation>Packets of this source arrive twice, for example through two network cards of the sender or a loop. Give the sender one way into the lighting network.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>One CID is sent from two addresses (%1 as well). Two consoles loaded the same show file or were cloned: give each its own CID.</source>
        <translation>One CID is sent from two addresses (%1 as well). Two consoles loaded the same show file or were cloned: give each its own CID.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The source sends a priority above 200, which E1.31 does not allow, so its data is dropped. Set the priority to 0 ... 200.</source>
        <translation>The source sends a priority above 200, which E1.31 does not allow, so its data is dropped. Set the priority to 0 ... 200.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The source asks receivers to wait for synchronisation packets on universe %1, which never come. Receivers that wait show nothing: send the sync universe, or switch synchronisation off.</source>
        <translation>The source asks receivers to wait for synchronisation packets on universe %1, which never come. Receivers that wait show nothing: send the sync universe, or switch synchronisation off.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The source sends preview data only, which a display fixture does not show. Switch preview off on the sender if this universe should be live.</source>
        <translation>The source sends preview data only, which a display fixture does not show. Switch preview off on the sender if this universe should be live.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The source sends Art-Net with a protocol version below 14, which current nodes drop. Update the sender&apos;s software or replace it.</source>
        <translation>The source sends Art-Net with a protocol version below 14, which current nodes drop. Update the sender&apos;s software or replace it.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ArtDmx arrives as broadcast. Art-Net 4 asks controllers to send to the nodes that want a universe, by unicast; broadcast loads every device on the network.</source>
        <translation>ArtDmx arrives as broadcast. Art-Net 4 asks controllers to send to the nodes that want a universe, by unicast; broadcast loads every device on the network.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ArtDmx with an odd length or fewer than two channels. Art-Net wants an even length from 2 to 512: check the sender&apos;s output settings.</source>
        <translation>ArtDmx with an odd length or fewer than two channels. Art-Net wants an even length from 2 to 512: check the sender&apos;s output settings.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A third source sends to this universe. Art-Net merges two, so its data is ignored: stop one of the consoles or give it another universe.</source>
        <translation>A third source sends to this universe. Art-Net merges two, so its data is ignored: stop one of the consoles or give it another universe.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>RDM requests arrive for a Port-Address this screen does not serve. The controller looks for a responder elsewhere; check its RDM patch.</source>
        <translation>RDM requests arrive for a Port-Address this screen does not serve. The controller looks for a responder elsewhere; check its RDM patch.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This universe receives Art-Net and sACN at the same time, so the picture shows both merged. Fixtures usually listen to one: switch the other off at the sender.</source>
        <translation>This universe receives Art-Net and sACN at the same time, so the picture shows both merged. Fixtures usually listen to one: switch the other off at the sender.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The intervals between this source&apos;s packets vary widely (spread beyond three times their median, or gaps above 100 ms), so fades look uneven. Check the sender&apos;s load and the network.</source>
        <translation>The intervals between this source&apos;s packets vary widely (spread beyond three times their median, or gaps above 100 ms), so fades look uneven. Check the sender&apos;s load and the network.</translation>
    </message>
</context>
<context>
    <name>InfoDlg</name>
    <message>
        <location filename="../../dialogs/infodlg.cpp" line="+100"/>
        <location line="+6"/>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+6"/>
        <source>exits this window</source>
        <translation>exits this window</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Next Tab by key F3</source>
        <translation>Next Tab by key F3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click F3 to activate next tab view</source>
        <translation>click F3 to activate next tab view</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Informations</source>
        <translation>Informations</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Network</source>
        <translation>Network</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
</context>
<context>
    <name>InspectorText</name>
    <message>
        <location filename="../../engine/inspectortext.cpp" line="+55"/>
        <source>Universe %1 · Channel %2</source>
        <translation>Universe %1 · Channel %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Universe %1 · Channels %2</source>
        <translation>Universe %1 · Channels %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cell %1</source>
        <translation>Cell %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start address %1</source>
        <translation>Start address %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Grey</source>
        <translation>Grey</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 %2 (%3 %)</source>
        <translation>%1 %2 (%3 %)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>sACN %1:</source>
        <translation>sACN %1:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Art-Net %1:</source>
        <translation>Art-Net %1:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>nothing received</source>
        <translation>nothing received</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+13"/>
        <source>silent %1 s</source>
        <translation>silent %1 s</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>per-address priority</source>
        <translation>per-address priority</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>priority %1</source>
        <translation>priority %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+34"/>
        <source>held for sync</source>
        <translation>held for sync</translation>
    </message>
    <message>
        <location line="-19"/>
        <source>merge LTP of %1</source>
        <translation>merge LTP of %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>per-address priority of %1</source>
        <translation>per-address priority of %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>merge HTP of %1</source>
        <translation>merge HTP of %1</translation>
    </message>
</context>
<context>
    <name>NetworkPage</name>
    <message>
        <location filename="../../dialogs/networkpage.cpp" line="+31"/>
        <source>Fault</source>
        <translation>Fault</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Severity</source>
        <translation>Severity</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Finding</source>
        <translation>Finding</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+9"/>
        <source>Protocol</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <location line="-9"/>
        <location line="+9"/>
        <source>Universe</source>
        <translation>Universe</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>First Seen [s ago]</source>
        <translation>First Seen [s ago]</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last Seen [s ago]</source>
        <translation>Last Seen [s ago]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sources</source>
        <translation>Sources</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Packets/s</source>
        <translation>Packets/s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shown</source>
        <translation>Shown</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Report...</source>
        <translation>Save Report...</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>shown</source>
        <translation>shown</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>not shown</source>
        <translation>not shown</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Select a finding to read what it means and what to do.</source>
        <translation>Select a finding to read what it means and what to do.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>current</source>
        <translation>current</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>ended</source>
        <translation>ended</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+8"/>
        <source>Save Report</source>
        <translation>Save Report</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Text files (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The report could not be written to %1: %2</source>
        <translation>The report could not be written to %1: %2</translation>
    </message>
</context>
<context>
    <name>NetworkRecorder</name>
    <message>
        <location filename="../../capture/networkrecorder.cpp" line="+44"/>
        <source>Cannot prepare the capture file.</source>
        <translation>Cannot prepare the capture file.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Recording stopped: cannot write %1: %2</source>
        <translation>Recording stopped: cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>PresetInfoRows</name>
    <message>
        <location filename="../../dialogs/presetinforows.cpp" line="+13"/>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RGBW</source>
        <translation>RGBW</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bar Vertical</source>
        <translation>Bar Vertical</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Values</source>
        <translation>DMX Values</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Preset Current</source>
        <translation>Preset Current</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
</context>
<context>
    <name>RdmInfoRows</name>
    <message>
        <location filename="../../dialogs/rdminforows.cpp" line="+43"/>
        <location line="+408"/>
        <location line="+57"/>
        <source>True</source>
        <translation>True</translation>
    </message>
    <message>
        <location line="-465"/>
        <location line="+405"/>
        <location line="+59"/>
        <source>False</source>
        <translation>False</translation>
    </message>
    <message>
        <location line="-460"/>
        <location line="+179"/>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <location line="-179"/>
        <location line="+176"/>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <location line="-171"/>
        <source>RDM Protocol Version %1.%2 (0x%3)
</source>
        <translation>RDM Protocol Version %1.%2 (0x%3)
</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Device Modell ID %1 (0x%2)
</source>
        <translation>Device Modell ID %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Product Category %1 (0x%2)
</source>
        <translation>Product Category %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Software Version ID %1 (0x%2)
</source>
        <translation>Software Version ID %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DMX512 Footprint %1 (0x%2)
</source>
        <translation>DMX512 Footprint %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DMX512 Personality %1 (0x%2)
</source>
        <translation>DMX512 Personality %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DMX512 Start Address %1 (0x%2)
</source>
        <translation>DMX512 Start Address %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sub Device Count %1 (0x%2)
</source>
        <translation>Sub Device Count %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+16"/>
        <source>Manufacturer State</source>
        <translation>Manufacturer State</translation>
    </message>
    <message>
        <location line="-15"/>
        <location line="+328"/>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <location line="-288"/>
        <location line="+24"/>
        <location line="+298"/>
        <location line="+55"/>
        <location line="+9"/>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <location line="-334"/>
        <source>#%1: %2 | %3 (0x%4)</source>
        <translation>#%1: %2 | %3 (0x%4)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>#%1: Slot Type %2 (0x%3) | Slot Label ID %4 (0x%5)</source>
        <translation>#%1: Slot Type %2 (0x%3) | Slot Label ID %4 (0x%5)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>#%1: Default Slot Value %2 (0x%3)</source>
        <translation>#%1: Default Slot Value %2 (0x%3)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Scene #%1 (0x%2),
Fade Up Time %3 (0x%4),
Fade Down Time %5 (0x%6),
Waittime %7 (0x%8)</source>
        <translation>Scene #%1 (0x%2),
Fade Up Time %3 (0x%4),
Fade Down Time %5 (0x%6),
Waittime %7 (0x%8)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Scene #%1 (0x%2),
Level %3 (0x%4)</source>
        <translation>Scene #%1 (0x%2),
Level %3 (0x%4)</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Total Sub-Device Footprint %1 (0x%2),
Base DMX512 Address %3 (0x%4)</source>
        <translation>Total Sub-Device Footprint %1 (0x%2),
Base DMX512 Address %3 (0x%4)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Scene #%1 (0x%2),
LossOfSignalDelayTime %3,
HoldTime %4,
Level %5 (0x%6)</source>
        <translation>Scene #%1 (0x%2),
LossOfSignalDelayTime %3,
HoldTime %4,
Level %5 (0x%6)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Scene #%1 (0x%2),
StartupDelayTime %3,
HoldTime %4,
Level %5 (0x%6)</source>
        <translation>Scene #%1 (0x%2),
StartupDelayTime %3,
HoldTime %4,
Level %5 (0x%6)</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>quiet</source>
        <translation>quiet</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>loud</source>
        <translation>loud</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Scene %1, UpFadeTime %2, DownFadeTime %3, WaitTime %4, ClearPreset/Programmed %5 (0x%6)</source>
        <translation>Scene %1, UpFadeTime %2, DownFadeTime %3, WaitTime %4, ClearPreset/Programmed %5 (0x%6)</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>%1, DHCP Mode=%2</source>
        <translation>%1, DHCP Mode=%2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Inactive</source>
        <translation>Inactive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 / %2 (%3), DHCP Mode=%4</source>
        <translation>%1 / %2 (%3), DHCP Mode=%4</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Name Server Index %1, Name Server %2</source>
        <translation>Name Server Index %1, Name Server %2</translation>
    </message>
</context>
<context>
    <name>ReceiverStatsRows</name>
    <message>
        <location filename="../../dialogs/receiverstatsrows.cpp" line="+166"/>
        <source>Latency: nothing shown in the last 10 s</source>
        <translation>Latency: nothing shown in the last 10 s</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Latency: no change in the last 10 s</source>
        <translation>Latency: no change in the last 10 s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Latency: median %1 ms, max %2 ms</source>
        <translation>Latency: median %1 ms, max %2 ms</translation>
    </message>
    <message>
        <location line="-72"/>
        <location line="+28"/>
        <source>per address</source>
        <translation>per address</translation>
    </message>
    <message>
        <location line="-19"/>
        <source>stable</source>
        <translation>stable</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>unstable</source>
        <translation>unstable</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>never</source>
        <translation>never</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+3"/>
        <source>no live source</source>
        <translation>no live source</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>merge LTP</source>
        <translation>merge LTP</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>per address of %1 sources</source>
        <translation>per address of %1 sources</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>merge HTP</source>
        <translation>merge HTP</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HTP of %1 sources</source>
        <translation>HTP of %1 sources</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Dropped: %1 from before Art-Net 4 (protocol version below 14)</source>
        <translation>Dropped: %1 from before Art-Net 4 (protocol version below 14)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dropped: %1 malformed, %2 out of sequence, %3 preview, %4 over the source limit, %5 with a priority above 200</source>
        <translation>Dropped: %1 malformed, %2 out of sequence, %3 preview, %4 over the source limit, %5 with a priority above 200</translation>
    </message>
</context>
<context>
    <name>ReplayWindow</name>
    <message>
        <location filename="../../dialogs/replaywindow.cpp" line="+30"/>
        <source>Replay</source>
        <translation>Replay</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Step</source>
        <translation>Step</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>hands on the next packet while paused</source>
        <translation>hands on the next packet while paused</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Loop</source>
        <translation>Loop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ends the replay and shows the network again</source>
        <translation>ends the replay and shows the network again</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>%1 s / %2 s</source>
        <translation>%1 s / %2 s</translation>
    </message>
</context>
<context>
    <name>Replayer</name>
    <message>
        <location filename="../../capture/replayer.cpp" line="+50"/>
        <source>%1 holds no Art-Net or sACN datagrams.</source>
        <translation>%1 holds no Art-Net or sACN datagrams.</translation>
    </message>
</context>
<context>
    <name>ScreenEngine</name>
    <message>
        <location filename="../../engine/screenengine.cpp" line="+149"/>
        <source>sS %1x%2 aS %3x%4 U %5 C %6 CpU %7</source>
        <translation>sS %1x%2 aS %3x%4 U %5 C %6 CpU %7</translation>
    </message>
    <message>
        <location filename="../../engine/statustext.cpp" line="+24"/>
        <source>Monochrome</source>
        <translation>Monochrome</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RGBW</source>
        <translation>RGBW</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bar Vertical</source>
        <translation>Bar Vertical</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Values</source>
        <translation>DMX Values</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bar &amp; DMX Values</source>
        <translation>Bar &amp; DMX Values</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Art-Net Disabled</source>
        <translation>Art-Net Disabled</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>sACN Disabled</source>
        <translation>sACN Disabled</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>sync</source>
        <translation>sync</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sync %1 fps</source>
        <translation>sync %1 fps</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Render Engine: Native</source>
        <translation>Render Engine: Native</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Render Engine: Open GL</source>
        <translation>Render Engine: Open GL</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Freeze Enabled</source>
        <translation>Freeze Enabled</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Self Test %1 Enabled</source>
        <translation>Self Test %1 Enabled</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Latency: median %1 ms, max %2 ms</source>
        <translation>Latency: median %1 ms, max %2 ms</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Latency: no change in the last 10 s</source>
        <translation>Latency: no change in the last 10 s</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Network: %1 faults, %2 warnings</source>
        <translation>Network: %1 faults, %2 warnings</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Tessaview Version: %1
Screen Resolution: %2x%3
DMX Configuration: %4x%5 %6
Start Universe: %7 / Count: %8 %9
Channels per Universe: %10
Grafic Refresh Rate: %11
%12
%13%14%15</source>
        <translation>Tessaview Version: %1
Screen Resolution: %2x%3
DMX Configuration: %4x%5 %6
Start Universe: %7 / Count: %8 %9
Channels per Universe: %10
Grafic Refresh Rate: %11
%12
%13%14%15</translation>
    </message>
    <message>
        <location line="-38"/>
        <source>Recording: %1 MB, %2 s</source>
        <translation>Recording: %1 MB, %2 s</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Replay: %1, %2 / %3, ×%4</source>
        <translation>Replay: %1, %2 / %3, ×%4</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>paused</source>
        <translation>paused</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <location filename="../../settings/settingsdialog.cpp" line="+52"/>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen</source>
        <translation>Screen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX</source>
        <translation>DMX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Protocol</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <location line="+246"/>
        <source>Warning: Art-Net universes are oversized</source>
        <translation>Warning: Art-Net universes are oversized</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Art-Net universes are oversizedand cannot be completely signalled by ArtPollReply!

Universe in ArtPollReply is coded in a 15Bit value, which is combined by 3 different values
NetSwitch - Bits 14-8 of the 15Bit Port Address
SubSwitch - Bits 7-4 of the 15 bit Port-Address are encoded into the bottom 4 bits of this field
SwOut[4]  - Bits 3-0 of the 15Bit Port Address

The problem is, that the 4 real universes of an Art-Net node can only be used in the range with the offset 0...15 (see SwOut), if the universes 1 and 17 are used simultaneously, 2 ArtPollReply packets with an incremented BindIndex have to send.

The problem with the BindIndex, is the range 1...256. This results in the maximum number of universes with 256 *4 (BindIndex * port) = 1024 if in addition the first universe is a multiple of 16.

For more universes another IP address must be used to signal more than 1024 universes with ArtPollReply. In the worst case, only 256 universes can be signaled using BindIndex, e.g. if the universe offset is &gt;= 16, only one universe can be signaled per BindIndex.

Whatever is signalled by ArtPollReply has no influence on what can be received. For example, if 1100 universes are configured then they can be received. It may be necessary to ask the sender to manually configure the universes 1024...1100.</source>
        <translation>Art-Net universes are oversizedand cannot be completely signalled by ArtPollReply!

Universe in ArtPollReply is coded in a 15Bit value, which is combined by 3 different values
NetSwitch - Bits 14-8 of the 15Bit Port Address
SubSwitch - Bits 7-4 of the 15 bit Port-Address are encoded into the bottom 4 bits of this field
SwOut[4]  - Bits 3-0 of the 15Bit Port Address

The problem is, that the 4 real universes of an Art-Net node can only be used in the range with the offset 0...15 (see SwOut), if the universes 1 and 17 are used simultaneously, 2 ArtPollReply packets with an incremented BindIndex have to send.

The problem with the BindIndex, is the range 1...256. This results in the maximum number of universes with 256 *4 (BindIndex * port) = 1024 if in addition the first universe is a multiple of 16.

For more universes another IP address must be used to signal more than 1024 universes with ArtPollReply. In the worst case, only 256 universes can be signaled using BindIndex, e.g. if the universe offset is &gt;= 16, only one universe can be signaled per BindIndex.

Whatever is signalled by ArtPollReply has no influence on what can be received. For example, if 1100 universes are configured then they can be received. It may be necessary to ask the sender to manually configure the universes 1024...1100.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Warning: Screen Level is low</source>
        <translation>Warning: Screen Level is low</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen level is lower than 25!

It is not guaranteed that something is visible on the screen!</source>
        <translation>Screen level is lower than 25!

It is not guaranteed that something is visible on the screen!</translation>
    </message>
    <message>
        <location filename="../../settings/settingsdialog_tabs.cpp" line="+97"/>
        <location line="+105"/>
        <location line="+3"/>
        <location line="+3"/>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <location line="-111"/>
        <location line="+105"/>
        <location line="+3"/>
        <location line="+3"/>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <location line="-108"/>
        <source>Name :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Language :</source>
        <translation>Language :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Update Check :</source>
        <translation>Update Check :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Startup Timeout (in Seconds) :</source>
        <translation>Startup Timeout (in Seconds) :</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Desktop</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Screen %1</source>
        <translation>Screen %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User Size</source>
        <translation>User Size</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Use Native</source>
        <translation>Use Native</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use OpenGL</source>
        <translation>Use OpenGL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click to view information about display level</source>
        <translation>click to view information about display level</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vertical &amp; Horizontal</source>
        <translation>Vertical &amp; Horizontal</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>0°</source>
        <translation>0°</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>90°</source>
        <translation>90°</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>180°</source>
        <translation>180°</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>270°</source>
        <translation>270°</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Screen Number :</source>
        <translation>Screen Number :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Position X / Y :</source>
        <translation>Screen Position X / Y :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Resolution X / Y :</source>
        <translation>Screen Resolution X / Y :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh Rate in ms :</source>
        <translation>Refresh Rate in ms :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh Rate in Hz :</source>
        <translation>Refresh Rate in Hz :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Render Engine :</source>
        <translation>Render Engine :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Level :</source>
        <translation>Screen Level :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Flip :</source>
        <translation>Screen Flip :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Rotate :</source>
        <translation>Screen Rotate :</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+37"/>
        <location line="+3"/>
        <source>click to view information about Art-Net</source>
        <translation>click to view information about Art-Net</translation>
    </message>
    <message>
        <location line="-38"/>
        <source>Art-Net reaches universes 1 to 32768 only</source>
        <translation>Art-Net reaches universes 1 to 32768 only</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Monochrome</source>
        <translation>Monochrome</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RGBW</source>
        <translation>RGBW</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bar Vertical</source>
        <translation>Bar Vertical</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Values</source>
        <translation>DMX Values</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bar and DMX Values</source>
        <translation>Bar and DMX Values</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Rectangle, Filled</source>
        <translation>Rectangle, Filled</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ellipse, Filled</source>
        <translation>Ellipse, Filled</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Resolution X / Y :</source>
        <translation>DMX Resolution X / Y :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Channels per Universe :</source>
        <translation>DMX Channels per Universe :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Start Universe :</source>
        <translation>DMX Start Universe :</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Universe Count :</source>
        <translation>DMX Universe Count :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Channels, Total :</source>
        <translation>DMX Channels, Total :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Color Mode :</source>
        <translation>DMX Color Mode :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shape Type :</source>
        <translation>Shape Type :</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>click to view information about streaming ACN</source>
        <translation>click to view information about streaming ACN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click to view information about RDM</source>
        <translation>click to view information about RDM</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RDM only for first Universes (default)</source>
        <translation>RDM only for first Universes (default)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RDM for all Universes (generates many traffic)</source>
        <translation>RDM for all Universes (generates many traffic)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Art-Net :</source>
        <translation>Art-Net :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Streaming ACN (E1.31) :</source>
        <translation>Streaming ACN (E1.31) :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RDM (E1.20/E1.37-1/E1.37-2) :</source>
        <translation>RDM (E1.20/E1.37-1/E1.37-2) :</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>click for save current settings to preset %1</source>
        <translation>click for save current settings to preset %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>click for load settings from preset %1 to current</source>
        <translation>click for load settings from preset %1 to current</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>click OK to apply the settings and close this window</source>
        <translation>click OK to apply the settings and close this window</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>click Apply to apply the settings</source>
        <translation>click Apply to apply the settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Defaults</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click Defaults to restore the default settings</source>
        <translation>click Defaults to restore the default settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>click Cancel to discard any changes</source>
        <translation>click Cancel to discard any changes</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Close by key Escape</source>
        <translation>Close by key Escape</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click Key Escape for Cancel to discard any changes</source>
        <translation>click Key Escape for Cancel to discard any changes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close by key Q</source>
        <translation>Close by key Q</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click Key Q for Cancel to discard any changes</source>
        <translation>click Key Q for Cancel to discard any changes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next Tab by key F3</source>
        <translation>Next Tab by key F3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click F3 to activate next tab view</source>
        <translation>click F3 to activate next tab view</translation>
    </message>
</context>
<context>
    <name>Tessaview</name>
    <message>
        <location filename="../../app/startupcountdown.cpp" line="+13"/>
        <source>Startup Timeout: %1 of %2 Seconds</source>
        <translation>Startup Timeout: %1 of %2 Seconds</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Start Now</source>
        <translation>Start Now</translation>
    </message>
    <message>
        <location filename="../../app/tessaview.cpp" line="+220"/>
        <source>Tessaview OpenGL</source>
        <translation>Tessaview OpenGL</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Tessaview Native</source>
        <translation>Tessaview Native</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewactions.cpp" line="+51"/>
        <source>Settings...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>opens the settings window</source>
        <translation>opens the settings window</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Preset Next</source>
        <translation>Preset Next</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>load next preset settings</source>
        <translation>load next preset settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preset Current</source>
        <translation>Preset Current</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>load current settings</source>
        <translation>load current settings</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Load Preset %1</source>
        <translation>Load Preset %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reset Settings</source>
        <translation>Reset Settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>restores the default settings</source>
        <translation>restores the default settings</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Freeze</source>
        <translation>Freeze</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>freeze the screen</source>
        <translation>freeze the screen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Window always on top</source>
        <translation>Window always on top</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>set/unset window always on top</source>
        <translation>set/unset window always on top</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Fullscreen</source>
        <translation>Fullscreen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>set/unset window fullscreen</source>
        <translation>set/unset window fullscreen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show Status Information</source>
        <translation>Show Status Information</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>shows/hide the status on the screen</source>
        <translation>shows/hide the status on the screen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Show Diagnostics</source>
        <translation>Show Diagnostics</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>marks silent and shared universes on the screen</source>
        <translation>marks silent and shared universes on the screen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Inspect Cells</source>
        <translation>Inspect Cells</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>shows universe, channels, values and sources of the cell under the pointer</source>
        <translation>shows universe, channels, values and sources of the cell under the pointer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Channel Scope</source>
        <translation>Channel Scope</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>plots chosen channels packet by packet</source>
        <translation>plots chosen channels packet by packet</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Self Test Next</source>
        <translation>Self Test Next</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>start next self test</source>
        <translation>start next self test</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Self Test Off</source>
        <translation>Self Test Off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Fill Snake</source>
        <translation>Self Test Fill Snake</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Color On/Off with R, G, B, W</source>
        <translation>Self Test Color On/Off with R, G, B, W</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Unfill Snake</source>
        <translation>Self Test Unfill Snake</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Fille Random</source>
        <translation>Self Test Fille Random</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Block Fill</source>
        <translation>Self Test Block Fill</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Self Test %1</source>
        <translation>Self Test %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Test All</source>
        <translation>Test All</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test All</source>
        <translation>Self Test All</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>view live information</source>
        <translation>view live information</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Network Findings</source>
        <translation>Network Findings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>what each source on the network does wrong</source>
        <translation>what each source on the network does wrong</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save as Bitmap...</source>
        <translation>Save as Bitmap...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>saves the screen to a bitmap file (%1/%2.bmp)</source>
        <translation>saves the screen to a bitmap file (%1/%2.bmp)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Check for Updates</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>checks if a newer software version is available online</source>
        <translation>checks if a newer software version is available online</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Dmx Size X +</source>
        <translation>Dmx Size X +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>increment the dmx size in X</source>
        <translation>increment the dmx size in X</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Dmx Size X -</source>
        <translation>Dmx Size X -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>decrement the dmx size in X</source>
        <translation>decrement the dmx size in X</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dmx Size Y +</source>
        <translation>Dmx Size Y +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>increment the dmx size in Y</source>
        <translation>increment the dmx size in Y</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Dmx Size Y -</source>
        <translation>Dmx Size Y -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>decrement the dmx size in Y</source>
        <translation>decrement the dmx size in Y</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help...</source>
        <translation>Help...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>opens the Help</source>
        <translation>opens the Help</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About %1...</source>
        <translation>About %1...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>opens the About window</source>
        <translation>opens the About window</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About Qt...</source>
        <translation>About Qt...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>opens the About Qt window</source>
        <translation>opens the About Qt window</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <location line="-2"/>
        <location line="+3"/>
        <source>exits this software</source>
        <translation>exits this software</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Load Presets	P</source>
        <translation>Load Presets	P</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Self Test	T</source>
        <translation>Self Test	T</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Dmx Size	X	Y</source>
        <translation>Dmx Size	X	Y</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewcapture.cpp" line="+36"/>
        <source>Save Bitmap as</source>
        <translation>Save Bitmap as</translation>
    </message>
    <message>
        <location filename="../../app/tessaview.cpp" line="+120"/>
        <source>&lt;center&gt;A new version %1 is available!&lt;/b&gt;&lt;br&gt;Download the update here :&lt;br&gt;%2&lt;/center&gt;</source>
        <translation>&lt;center&gt;A new version %1 is available!&lt;/b&gt;&lt;br&gt;Download the update here :&lt;br&gt;%2&lt;/center&gt;</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewslots.cpp" line="+161"/>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;b&gt;Help&lt;/b&gt;&lt;br&gt;Please use the online help on the website:&lt;br&gt;%1</source>
        <translation>&lt;b&gt;Help&lt;/b&gt;&lt;br&gt;Please use the online help on the website:&lt;br&gt;%1</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewactions.cpp" line="-125"/>
        <source>Record Network...</source>
        <translation>Record Network...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>records what arrives on the Art-Net and sACN ports into a capture file in the pictures folder</source>
        <translation>records what arrives on the Art-Net and sACN ports into a capture file in the pictures folder</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Replay Capture...</source>
        <translation>Replay Capture...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>shows a recorded capture instead of the network</source>
        <translation>shows a recorded capture instead of the network</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewrecording.cpp" line="+28"/>
        <source>Replay Capture</source>
        <translation>Replay Capture</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packet captures (*.pcap *.pcapng *.cap);;All files (*)</source>
        <translation>Packet captures (*.pcap *.pcapng *.cap);;All files (*)</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Tessaview</source>
        <translation>Tessaview</translation>
    </message>
</context>
</TS>
