<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutInfo</name>
    <message>
        <location filename="../../dialogs/aboutinfo.cpp" line="+31"/>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>RDM Version: </source>
        <translation>RDM-Version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Art-Net Version: </source>
        <translation>Art-Net-Version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Streaming ACN Version: </source>
        <translation>Streaming-ACN-Version: </translation>
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
        <translation>Übersetzt von %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&lt;center&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version: %2 for %3&lt;br&gt;Date: %4&lt;br&gt;%5&lt;br&gt;Developed by %6&lt;br&gt;%7&lt;br&gt;%8&lt;/center&gt;</source>
        <translation>&lt;center&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version: %2 für %3&lt;br&gt;Datum: %4&lt;br&gt;%5&lt;br&gt;Entwickelt von %6&lt;br&gt;%7&lt;br&gt;%8&lt;/center&gt;</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&lt;center&gt;Third Party&lt;br&gt;%1 under %2&lt;/center&gt;</source>
        <translation>&lt;center&gt;Fremdkomponenten&lt;br&gt;%1 unter %2&lt;/center&gt;</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <location filename="../../capture/capturereader.cpp" line="+24"/>
        <source>%1 cannot be replayed: it is not a packet capture (pcap or pcapng) that can be read (%2).</source>
        <translation>%1 kann nicht abgespielt werden: Es ist kein lesbarer Paketmitschnitt (pcap oder pcapng) (%2).</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Replay stopped at packet %1, byte offset %2: %3</source>
        <translation>Wiedergabe bei Paket %1, Byte-Position %2 angehalten: %3</translation>
    </message>
</context>
<context>
    <name>ChannelList</name>
    <message>
        <location filename="../../net/channellist.cpp" line="+28"/>
        <source>&quot;%1&quot; is not universe.channel (for example 1.4)</source>
        <translation>&quot;%1&quot; ist nicht Universum.Kanal (zum Beispiel 1.4)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot;: channels are 1 to 512</source>
        <translation>&quot;%1&quot;: Kanäle sind 1 bis 512</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>no channel given (for example 1.4 or 1.4-1.6)</source>
        <translation>kein Kanal angegeben (zum Beispiel 1.4 oder 1.4-1.6)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; is not a range (for example 1.4-1.6)</source>
        <translation>&quot;%1&quot; ist kein Bereich (zum Beispiel 1.4-1.6)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot;: a range runs upwards within one universe</source>
        <translation>&quot;%1&quot;: ein Bereich läuft aufwärts innerhalb eines Universums</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>at most %1 channels can be watched</source>
        <translation>höchstens %1 Kanäle können beobachtet werden</translation>
    </message>
</context>
<context>
    <name>ChannelScope</name>
    <message>
        <location filename="../../dialogs/channelscope.cpp" line="+42"/>
        <location line="+207"/>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <location line="-205"/>
        <source>Arm Trigger</source>
        <translation>Trigger scharf schalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+244"/>
        <location line="+20"/>
        <source>Log to File...</source>
        <translation>In Datei protokollieren...</translation>
    </message>
    <message>
        <location line="-262"/>
        <source>Channel Scope</source>
        <translation>Kanal-Oszilloskop</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>universe.channel, e.g. 1.4 or 1.4-1.6</source>
        <translation>Universum.Kanal, z. B. 1.4 oder 1.4-1.6</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>rising</source>
        <translation>steigend</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>falling</source>
        <translation>fallend</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Window:</source>
        <translation>Zeitfenster:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Trigger:</source>
        <translation>Trigger:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>level</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Log stopped: %1</source>
        <translation>Protokoll angehalten: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>At most %1 channels can be watched.</source>
        <translation>Höchstens %1 Kanäle können beobachtet werden.</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Triggered: %1 crossed %2.</source>
        <translation>Ausgelöst: %1 hat den Pegel %2 durchlaufen.</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>%1: %2 (%3 %) from %4</source>
        <translation>%1: %2 (%3 %) von %4</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Log written to %1.</source>
        <translation>Protokoll geschrieben nach %1.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Log to File</source>
        <translation>In Datei protokollieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot log to %1: %2</source>
        <translation>Kann nicht nach %1 protokollieren: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stop Log</source>
        <translation>Protokoll beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Logging every change to %1.</source>
        <translation>Jede Änderung wird nach %1 protokolliert.</translation>
    </message>
</context>
<context>
    <name>CheckSoftwareUpdate</name>
    <message>
        <location filename="../../dialogs/checksoftwareupdate.cpp" line="+96"/>
        <source>There is no internet connection available to check for updates!</source>
        <translation>Für die Suche nach Aktualisierungen ist keine Internetverbindung verfügbar!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>There is no update available!</source>
        <translation>Es ist keine Aktualisierung verfügbar!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <location filename="../../net/findings.cpp" line="+17"/>
        <source>sACN data for this universe arrives on the multicast group of universe %1. Receivers that joined only this universe&apos;s group never see it: set the sender to send each universe to its own group.</source>
        <translation>sACN-Daten für dieses Universum kommen auf der Multicast-Gruppe von Universum %1 an. Empfänger, die nur der Gruppe dieses Universums beigetreten sind, sehen sie nie: den Sender so einstellen, dass er jedes Universum an seine eigene Gruppe sendet.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The source repeats unchanged levels less often than once a second. Fixtures drop a source after 2.5 s without a packet: set the sender&apos;s refresh (keep-alive) to one second or less.</source>
        <translation>Die Quelle wiederholt unveränderte Werte seltener als einmal pro Sekunde. Geräte verwerfen eine Quelle nach 2,5 s ohne Paket: die Wiederholrate (Keep-alive) des Senders auf eine Sekunde oder weniger stellen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Packets of this source are missing (gaps in its sequence numbers). Check cables, switch ports and the load of the network.</source>
        <translation>Pakete dieser Quelle fehlen (Lücken in ihren Sequenznummern). Kabel, Switch-Ports und die Last des Netzwerks prüfen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Packets of this source arrive out of order, which happens when they take two paths through the network. Check for a second route or a loop.</source>
        <translation>Pakete dieser Quelle kommen in falscher Reihenfolge an; das geschieht, wenn sie zwei Wege durch das Netzwerk nehmen. Nach einem zweiten Weg oder einer Schleife suchen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Packets of this source arrive twice, for example through two network cards of the sender or a loop. Give the sender one way into the lighting network.</source>
        <translation>Pakete dieser Quelle kommen doppelt an, etwa über zwei Netzwerkkarten des Senders oder eine Schleife. Dem Sender nur einen Weg ins Lichtnetz geben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>One CID is sent from two addresses (%1 as well). Two consoles loaded the same show file or were cloned: give each its own CID.</source>
        <translation>Eine CID wird von zwei Adressen gesendet (auch von %1). Zwei Pulte haben dieselbe Showdatei geladen oder wurden geklont: jedem seine eigene CID geben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The source sends a priority above 200, which E1.31 does not allow, so its data is dropped. Set the priority to 0 ... 200.</source>
        <translation>Die Quelle sendet eine Priorität über 200, die E1.31 nicht erlaubt; ihre Daten werden verworfen. Die Priorität auf 0 ... 200 stellen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The source asks receivers to wait for synchronisation packets on universe %1, which never come. Receivers that wait show nothing: send the sync universe, or switch synchronisation off.</source>
        <translation>Die Quelle lässt Empfänger auf Synchronisationspakete in Universum %1 warten, die nie kommen. Wartende Empfänger zeigen nichts: das Sync-Universum senden oder die Synchronisation abschalten.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The source sends preview data only, which a display fixture does not show. Switch preview off on the sender if this universe should be live.</source>
        <translation>Die Quelle sendet nur Vorschaudaten, die ein Anzeigegerät nicht zeigt. Die Vorschau am Sender abschalten, wenn dieses Universum live sein soll.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The source sends Art-Net with a protocol version below 14, which current nodes drop. Update the sender&apos;s software or replace it.</source>
        <translation>Die Quelle sendet Art-Net mit einer Protokollversion unter 14, die aktuelle Nodes verwerfen. Die Software des Senders aktualisieren oder ihn ersetzen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ArtDmx arrives as broadcast. Art-Net 4 asks controllers to send to the nodes that want a universe, by unicast; broadcast loads every device on the network.</source>
        <translation>ArtDmx kommt als Broadcast an. Art-Net 4 verlangt, an die Nodes zu senden, die ein Universum wollen, per Unicast; Broadcast belastet jedes Gerät im Netzwerk.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ArtDmx with an odd length or fewer than two channels. Art-Net wants an even length from 2 to 512: check the sender&apos;s output settings.</source>
        <translation>ArtDmx mit ungerader Länge oder weniger als zwei Kanälen. Art-Net verlangt eine gerade Länge von 2 bis 512: die Ausgabeeinstellungen des Senders prüfen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A third source sends to this universe. Art-Net merges two, so its data is ignored: stop one of the consoles or give it another universe.</source>
        <translation>Eine dritte Quelle sendet an dieses Universum. Art-Net mischt zwei, ihre Daten werden ignoriert: eines der Pulte anhalten oder ihm ein anderes Universum geben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>RDM requests arrive for a Port-Address this screen does not serve. The controller looks for a responder elsewhere; check its RDM patch.</source>
        <translation>RDM-Anfragen kommen für eine Port-Adresse an, die dieser Bildschirm nicht bedient. Der Controller sucht einen Responder anderswo; seinen RDM-Patch prüfen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This universe receives Art-Net and sACN at the same time, so the picture shows both merged. Fixtures usually listen to one: switch the other off at the sender.</source>
        <translation>Dieses Universum empfängt Art-Net und sACN gleichzeitig, das Bild zeigt beide gemischt. Geräte hören meist auf eines: das andere am Sender abschalten.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The intervals between this source&apos;s packets vary widely (spread beyond three times their median, or gaps above 100 ms), so fades look uneven. Check the sender&apos;s load and the network.</source>
        <translation>Die Abstände zwischen den Paketen dieser Quelle schwanken stark (über das Dreifache ihres Medians oder Lücken über 100 ms), Überblendungen wirken ungleichmäßig. Die Last des Senders und das Netzwerk prüfen.</translation>
    </message>
</context>
<context>
    <name>InfoDlg</name>
    <message>
        <location filename="../../dialogs/infodlg.cpp" line="+100"/>
        <location line="+6"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+6"/>
        <source>exits this window</source>
        <translation>schließt dieses Fenster</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Next Tab by key F3</source>
        <translation>Nächster Reiter mit Taste F3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click F3 to activate next tab view</source>
        <translation>F3 drücken, um den nächsten Reiter anzuzeigen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Informations</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
</context>
<context>
    <name>InspectorText</name>
    <message>
        <location filename="../../engine/inspectortext.cpp" line="+55"/>
        <source>Universe %1 · Channel %2</source>
        <translation>Universum %1 · Kanal %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Universe %1 · Channels %2</source>
        <translation>Universum %1 · Kanäle %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cell %1</source>
        <translation>Zelle %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start address %1</source>
        <translation>Startadresse %1</translation>
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
        <translation>Grau</translation>
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
        <translation>nichts empfangen</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+13"/>
        <source>silent %1 s</source>
        <translation>still seit %1 s</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>per-address priority</source>
        <translation>Priorität pro Adresse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>priority %1</source>
        <translation>Priorität %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+34"/>
        <source>held for sync</source>
        <translation>auf Sync gehalten</translation>
    </message>
    <message>
        <location line="-19"/>
        <source>merge LTP of %1</source>
        <translation>LTP-Merge aus %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>per-address priority of %1</source>
        <translation>Priorität pro Adresse aus %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>merge HTP of %1</source>
        <translation>HTP-Merge aus %1</translation>
    </message>
</context>
<context>
    <name>NetworkPage</name>
    <message>
        <location filename="../../dialogs/networkpage.cpp" line="+31"/>
        <source>Fault</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Severity</source>
        <translation>Schwere</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Finding</source>
        <translation>Befund</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+9"/>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <location line="-9"/>
        <location line="+9"/>
        <source>Universe</source>
        <translation>Universum</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>First Seen [s ago]</source>
        <translation>Zuerst gesehen [vor s]</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last Seen [s ago]</source>
        <translation>Zuletzt gesehen [vor s]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sources</source>
        <translation>Quellen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Packets/s</source>
        <translation>Pakete/s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Shown</source>
        <translation>Angezeigt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Report...</source>
        <translation>Bericht speichern...</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>shown</source>
        <translation>angezeigt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>not shown</source>
        <translation>nicht angezeigt</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Select a finding to read what it means and what to do.</source>
        <translation>Einen Befund wählen, um zu lesen, was er bedeutet und was zu tun ist.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>current</source>
        <translation>aktuell</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>ended</source>
        <translation>beendet</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+8"/>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The report could not be written to %1: %2</source>
        <translation>Der Bericht konnte nicht nach %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>NetworkRecorder</name>
    <message>
        <location filename="../../capture/networkrecorder.cpp" line="+44"/>
        <source>Cannot prepare the capture file.</source>
        <translation>Die Mitschnittdatei kann nicht vorbereitet werden.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Recording stopped: cannot write %1: %2</source>
        <translation>Aufzeichnung beendet: %1 kann nicht geschrieben werden: %2</translation>
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
        <translation>Balken senkrecht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Values</source>
        <translation>DMX-Werte</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Preset Current</source>
        <translation>Aktuelle Voreinstellung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Preset %1</source>
        <translation>Voreinstellung %1</translation>
    </message>
</context>
<context>
    <name>RdmInfoRows</name>
    <message>
        <location filename="../../dialogs/rdminforows.cpp" line="+43"/>
        <location line="+408"/>
        <location line="+57"/>
        <source>True</source>
        <translation>Wahr</translation>
    </message>
    <message>
        <location line="-465"/>
        <location line="+405"/>
        <location line="+59"/>
        <source>False</source>
        <translation>Falsch</translation>
    </message>
    <message>
        <location line="-460"/>
        <location line="+179"/>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <location line="-179"/>
        <location line="+176"/>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <location line="-171"/>
        <source>RDM Protocol Version %1.%2 (0x%3)
</source>
        <translation>RDM-Protokollversion %1.%2 (0x%3)
</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Device Modell ID %1 (0x%2)
</source>
        <translation>Gerätemodell-ID %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Product Category %1 (0x%2)
</source>
        <translation>Produktkategorie %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Software Version ID %1 (0x%2)
</source>
        <translation>Softwareversions-ID %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DMX512 Footprint %1 (0x%2)
</source>
        <translation>DMX512-Kanalbedarf %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DMX512 Personality %1 (0x%2)
</source>
        <translation>DMX512-Betriebsart %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DMX512 Start Address %1 (0x%2)
</source>
        <translation>DMX512-Startadresse %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sub Device Count %1 (0x%2)
</source>
        <translation>Anzahl Untergeräte %1 (0x%2)
</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+16"/>
        <source>Manufacturer State</source>
        <translation>Herstellerspezifischer Zustand</translation>
    </message>
    <message>
        <location line="-15"/>
        <location line="+328"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <location line="-288"/>
        <location line="+24"/>
        <location line="+298"/>
        <location line="+55"/>
        <location line="+9"/>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <location line="-334"/>
        <source>#%1: %2 | %3 (0x%4)</source>
        <translation>#%1: %2 | %3 (0x%4)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>#%1: Slot Type %2 (0x%3) | Slot Label ID %4 (0x%5)</source>
        <translation>#%1: Slot-Typ %2 (0x%3) | Slot-Bezeichnungs-ID %4 (0x%5)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>#%1: Default Slot Value %2 (0x%3)</source>
        <translation>#%1: Standardwert des Slots %2 (0x%3)</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Scene #%1 (0x%2),
Fade Up Time %3 (0x%4),
Fade Down Time %5 (0x%6),
Waittime %7 (0x%8)</source>
        <translation>Szene #%1 (0x%2),
Einblendzeit %3 (0x%4),
Ausblendzeit %5 (0x%6),
Wartezeit %7 (0x%8)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Scene #%1 (0x%2),
Level %3 (0x%4)</source>
        <translation>Szene #%1 (0x%2),
Pegel %3 (0x%4)</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Total Sub-Device Footprint %1 (0x%2),
Base DMX512 Address %3 (0x%4)</source>
        <translation>Kanalbedarf aller Untergeräte %1 (0x%2),
DMX512-Basisadresse %3 (0x%4)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Scene #%1 (0x%2),
LossOfSignalDelayTime %3,
HoldTime %4,
Level %5 (0x%6)</source>
        <translation>Szene #%1 (0x%2),
Verzögerung bei Signalverlust %3,
Haltezeit %4,
Pegel %5 (0x%6)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Scene #%1 (0x%2),
StartupDelayTime %3,
HoldTime %4,
Level %5 (0x%6)</source>
        <translation>Szene #%1 (0x%2),
Verzögerung beim Einschalten %3,
Haltezeit %4,
Pegel %5 (0x%6)</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>quiet</source>
        <translation>leise</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>loud</source>
        <translation>laut</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Scene %1, UpFadeTime %2, DownFadeTime %3, WaitTime %4, ClearPreset/Programmed %5 (0x%6)</source>
        <translation>Szene %1, Einblendzeit %2, Ausblendzeit %3, Wartezeit %4, Leer/Programmiert %5 (0x%6)</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>%1, DHCP Mode=%2</source>
        <translation>%1, DHCP-Modus=%2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Inactive</source>
        <translation>Inaktiv</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 / %2 (%3), DHCP Mode=%4</source>
        <translation>%1 / %2 (%3), DHCP-Modus=%4</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Name Server Index %1, Name Server %2</source>
        <translation>Namensserver-Index %1, Namensserver %2</translation>
    </message>
</context>
<context>
    <name>ReceiverStatsRows</name>
    <message>
        <location filename="../../dialogs/receiverstatsrows.cpp" line="+166"/>
        <source>Latency: nothing shown in the last 10 s</source>
        <translation>Latenz: nichts gezeigt in den letzten 10 s</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Latency: no change in the last 10 s</source>
        <translation>Latenz: keine Änderung in den letzten 10 s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Latency: median %1 ms, max %2 ms</source>
        <translation>Latenz: Median %1 ms, Maximum %2 ms</translation>
    </message>
    <message>
        <location line="-72"/>
        <location line="+28"/>
        <source>per address</source>
        <translation>pro Adresse</translation>
    </message>
    <message>
        <location line="-19"/>
        <source>stable</source>
        <translation>gleichmäßig</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>unstable</source>
        <translation>ungleichmäßig</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+3"/>
        <source>no live source</source>
        <translation>keine aktive Quelle</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>merge LTP</source>
        <translation>LTP-Merge</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>per address of %1 sources</source>
        <translation>pro Adresse aus %1 Quellen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>merge HTP</source>
        <translation>HTP-Merge</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HTP of %1 sources</source>
        <translation>HTP aus %1 Quellen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Dropped: %1 from before Art-Net 4 (protocol version below 14)</source>
        <translation>Verworfen: %1 aus der Zeit vor Art-Net 4 (Protokollversion unter 14)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dropped: %1 malformed, %2 out of sequence, %3 preview, %4 over the source limit, %5 with a priority above 200</source>
        <translation>Verworfen: %1 fehlerhaft, %2 außer der Reihe, %3 Vorschau, %4 über der Quellengrenze, %5 mit einer Priorität über 200</translation>
    </message>
</context>
<context>
    <name>ReplayWindow</name>
    <message>
        <location filename="../../dialogs/replaywindow.cpp" line="+30"/>
        <source>Replay</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>hands on the next packet while paused</source>
        <translation>gibt in der Pause das nächste Paket weiter</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ends the replay and shows the network again</source>
        <translation>beendet die Wiedergabe und zeigt wieder das Netzwerk</translation>
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
        <translation>%1 enthält keine Art-Net- oder sACN-Datagramme.</translation>
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
        <translation>Monochrom</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RGBW</source>
        <translation>RGBW</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bar Vertical</source>
        <translation>Balken senkrecht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Values</source>
        <translation>DMX-Werte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bar &amp; DMX Values</source>
        <translation>Balken &amp; DMX-Werte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Art-Net Disabled</source>
        <translation>Art-Net deaktiviert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>sACN Disabled</source>
        <translation>sACN deaktiviert</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>sync</source>
        <translation>Sync</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sync %1 fps</source>
        <translation>Sync %1 fps</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Render Engine: Native</source>
        <translation>Darstellung: Nativ</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Render Engine: Open GL</source>
        <translation>Darstellung: OpenGL</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Preset %1</source>
        <translation>Voreinstellung %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Freeze Enabled</source>
        <translation>Einfrieren aktiv</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Self Test %1 Enabled</source>
        <translation>Selbsttest %1 aktiv</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Latency: median %1 ms, max %2 ms</source>
        <translation>Latenz: Median %1 ms, Maximum %2 ms</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Latency: no change in the last 10 s</source>
        <translation>Latenz: keine Änderung in den letzten 10 s</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Network: %1 faults, %2 warnings</source>
        <translation>Netzwerk: %1 Fehler, %2 Warnungen</translation>
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
Bildschirmauflösung: %2x%3
DMX-Konfiguration: %4x%5 %6
Startuniversum: %7 / Anzahl: %8 %9
Kanäle pro Universum: %10
Bildwiederholrate: %11
%12
%13%14%15</translation>
    </message>
    <message>
        <location line="-38"/>
        <source>Recording: %1 MB, %2 s</source>
        <translation>Aufzeichnung: %1 MB, %2 s</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Replay: %1, %2 / %3, ×%4</source>
        <translation>Wiedergabe: %1, %2 / %3, ×%4</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>paused</source>
        <translation>angehalten</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <location filename="../../settings/settingsdialog.cpp" line="+52"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen</source>
        <translation>Bildschirm</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX</source>
        <translation>DMX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <location line="+246"/>
        <source>Warning: Art-Net universes are oversized</source>
        <translation>Warnung: Zu viele Art-Net-Universen</translation>
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
        <translation>Es sind zu viele Art-Net-Universen eingestellt; sie können nicht alle per ArtPollReply gemeldet werden!

Das Universum wird in ArtPollReply als 15-Bit-Wert übertragen, der sich aus 3 Werten zusammensetzt:
NetSwitch - Bits 14-8 der 15-Bit-Port-Adresse
SubSwitch - Bits 7-4 der 15-Bit-Port-Adresse, abgelegt in den unteren 4 Bits dieses Feldes
SwOut[4]  - Bits 3-0 der 15-Bit-Port-Adresse

Das Problem: Die 4 echten Universen eines Art-Net-Knotens lassen sich nur im Bereich der Verschiebung 0...15 nutzen (siehe SwOut). Werden z. B. die Universen 1 und 17 gleichzeitig verwendet, müssen 2 ArtPollReply-Pakete mit erhöhtem BindIndex gesendet werden.

Der BindIndex hat den Wertebereich 1...256. Daraus ergibt sich eine Höchstzahl von 256 * 4 (BindIndex * Port) = 1024 Universen, und das nur, wenn zusätzlich das erste Universum ein Vielfaches von 16 ist.

Um mehr als 1024 Universen per ArtPollReply zu melden, ist eine weitere IP-Adresse nötig. Im ungünstigsten Fall lassen sich per BindIndex nur 256 Universen melden, z. B. wenn die Universumsverschiebung &gt;= 16 ist; dann kann je BindIndex nur ein Universum gemeldet werden.

Was per ArtPollReply gemeldet wird, hat keinen Einfluss darauf, was empfangen werden kann. Sind zum Beispiel 1100 Universen eingestellt, werden sie auch empfangen. Eventuell müssen die Universen 1024...1100 am Sender von Hand eingerichtet werden.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Warning: Screen Level is low</source>
        <translation>Warnung: Bildschirmhelligkeit ist gering</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen level is lower than 25!

It is not guaranteed that something is visible on the screen!</source>
        <translation>Die Bildschirmhelligkeit ist kleiner als 25!

Es ist nicht sichergestellt, dass auf dem Bildschirm etwas zu sehen ist!</translation>
    </message>
    <message>
        <location filename="../../settings/settingsdialog_tabs.cpp" line="+97"/>
        <location line="+105"/>
        <location line="+3"/>
        <location line="+3"/>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <location line="-111"/>
        <location line="+105"/>
        <location line="+3"/>
        <location line="+3"/>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <location line="-108"/>
        <source>Name :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Language :</source>
        <translation>Sprache :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Update Check :</source>
        <translation>Aktualisierungsprüfung :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Startup Timeout (in Seconds) :</source>
        <translation>Startverzögerung (in Sekunden) :</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Desktop</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Screen %1</source>
        <translation>Bildschirm %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User Size</source>
        <translation>Benutzerdefinierte Größe</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Use Native</source>
        <translation>Nativ verwenden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Use OpenGL</source>
        <translation>OpenGL verwenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click to view information about display level</source>
        <translation>klicken für Informationen zur Bildschirmhelligkeit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vertical</source>
        <translation>Vertikal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vertical &amp; Horizontal</source>
        <translation>Vertikal &amp; Horizontal</translation>
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
        <translation>Bildschirmnummer :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Position X / Y :</source>
        <translation>Bildschirmposition X / Y :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Resolution X / Y :</source>
        <translation>Bildschirmauflösung X / Y :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh Rate in ms :</source>
        <translation>Bildwiederholrate in ms :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh Rate in Hz :</source>
        <translation>Bildwiederholrate in Hz :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Render Engine :</source>
        <translation>Darstellung :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Level :</source>
        <translation>Bildschirmhelligkeit :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Flip :</source>
        <translation>Bildschirm spiegeln :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Screen Rotate :</source>
        <translation>Bildschirm drehen :</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+37"/>
        <location line="+3"/>
        <source>click to view information about Art-Net</source>
        <translation>klicken für Informationen zu Art-Net</translation>
    </message>
    <message>
        <location line="-38"/>
        <source>Art-Net reaches universes 1 to 32768 only</source>
        <translation>Art-Net erreicht nur die Universen 1 bis 32768</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Monochrome</source>
        <translation>Monochrom</translation>
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
        <translation>Balken senkrecht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Values</source>
        <translation>DMX-Werte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bar and DMX Values</source>
        <translation>Balken und DMX-Werte</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Rectangle, Filled</source>
        <translation>Rechteck, gefüllt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ellipse, Filled</source>
        <translation>Ellipse, gefüllt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Resolution X / Y :</source>
        <translation>DMX-Auflösung X / Y :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Channels per Universe :</source>
        <translation>DMX-Kanäle pro Universum :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Start Universe :</source>
        <translation>DMX-Startuniversum :</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DMX Universe Count :</source>
        <translation>Anzahl DMX-Universen :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Channels, Total :</source>
        <translation>DMX-Kanäle gesamt :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DMX Color Mode :</source>
        <translation>DMX-Farbmodus :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shape Type :</source>
        <translation>Zellenform :</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>click to view information about streaming ACN</source>
        <translation>klicken für Informationen zu Streaming ACN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click to view information about RDM</source>
        <translation>klicken für Informationen zu RDM</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RDM only for first Universes (default)</source>
        <translation>RDM nur für das erste Universum (Standard)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RDM for all Universes (generates many traffic)</source>
        <translation>RDM für alle Universen (erzeugt viel Netzlast)</translation>
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
        <translation>Voreinstellung %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>click for save current settings to preset %1</source>
        <translation>klicken, um die aktuellen Einstellungen in Voreinstellung %1 zu speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>click for load settings from preset %1 to current</source>
        <translation>klicken, um die Einstellungen aus Voreinstellung %1 zu laden</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>click OK to apply the settings and close this window</source>
        <translation>OK klicken, um die Einstellungen zu übernehmen und dieses Fenster zu schließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>click Apply to apply the settings</source>
        <translation>Übernehmen klicken, um die Einstellungen anzuwenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Defaults</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click Defaults to restore the default settings</source>
        <translation>Werkseinstellungen klicken, um die Werkseinstellungen wiederherzustellen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>click Cancel to discard any changes</source>
        <translation>Abbrechen klicken, um alle Änderungen zu verwerfen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Close by key Escape</source>
        <translation>Schließen mit Taste Esc</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click Key Escape for Cancel to discard any changes</source>
        <translation>Taste Esc bricht ab und verwirft alle Änderungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close by key Q</source>
        <translation>Schließen mit Taste Q</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click Key Q for Cancel to discard any changes</source>
        <translation>Taste Q bricht ab und verwirft alle Änderungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next Tab by key F3</source>
        <translation>Nächster Reiter mit Taste F3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>click F3 to activate next tab view</source>
        <translation>F3 drücken, um den nächsten Reiter anzuzeigen</translation>
    </message>
</context>
<context>
    <name>Tessaview</name>
    <message>
        <location filename="../../app/startupcountdown.cpp" line="+13"/>
        <source>Startup Timeout: %1 of %2 Seconds</source>
        <translation>Startverzögerung: %1 von %2 Sekunden</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Start Now</source>
        <translation>Jetzt starten</translation>
    </message>
    <message>
        <location filename="../../app/tessaview.cpp" line="+220"/>
        <source>Tessaview OpenGL</source>
        <translation>Tessaview OpenGL</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Tessaview Native</source>
        <translation>Tessaview Nativ</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewactions.cpp" line="+51"/>
        <source>Settings...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>opens the settings window</source>
        <translation>öffnet das Einstellungsfenster</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Preset Next</source>
        <translation>Nächste Voreinstellung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>load next preset settings</source>
        <translation>lädt die nächste Voreinstellung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preset Current</source>
        <translation>Aktuelle Voreinstellung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>load current settings</source>
        <translation>lädt die aktuellen Einstellungen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Preset %1</source>
        <translation>Voreinstellung %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Load Preset %1</source>
        <translation>Voreinstellung %1 laden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reset Settings</source>
        <translation>Auf Werkseinstellungen zurücksetzen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>restores the default settings</source>
        <translation>stellt die Werkseinstellungen wieder her</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Freeze</source>
        <translation>Einfrieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>freeze the screen</source>
        <translation>friert das Bild ein</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Window always on top</source>
        <translation>Fenster immer im Vordergrund</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>set/unset window always on top</source>
        <translation>Fenster immer im Vordergrund ein/aus</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Fullscreen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>set/unset window fullscreen</source>
        <translation>Vollbild ein/aus</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show Status Information</source>
        <translation>Statusinformationen anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>shows/hide the status on the screen</source>
        <translation>zeigt den Status auf dem Bildschirm an oder blendet ihn aus</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Show Diagnostics</source>
        <translation>Diagnose anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>marks silent and shared universes on the screen</source>
        <translation>markiert stille und geteilte Universen auf dem Bildschirm</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Inspect Cells</source>
        <translation>Zellen untersuchen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>shows universe, channels, values and sources of the cell under the pointer</source>
        <translation>zeigt Universum, Kanäle, Werte und Quellen der Zelle unter dem Mauszeiger</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Channel Scope</source>
        <translation>Kanal-Oszilloskop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>plots chosen channels packet by packet</source>
        <translation>zeichnet gewählte Kanäle Paket für Paket auf</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Self Test Next</source>
        <translation>Nächster Selbsttest</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>start next self test</source>
        <translation>startet den nächsten Selbsttest</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Self Test Off</source>
        <translation>Selbsttest aus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Fill Snake</source>
        <translation>Selbsttest Schlange füllen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Color On/Off with R, G, B, W</source>
        <translation>Selbsttest Farben R, G, B, W ein/aus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Unfill Snake</source>
        <translation>Selbsttest Schlange leeren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Fille Random</source>
        <translation>Selbsttest zufällig füllen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test Block Fill</source>
        <translation>Selbsttest Blöcke füllen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Self Test %1</source>
        <translation>Selbsttest %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Test All</source>
        <translation>Alle Tests</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Self Test All</source>
        <translation>Alle Selbsttests</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>view live information</source>
        <translation>zeigt Live-Informationen an</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Network Findings</source>
        <translation>Netzwerk-Befunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>what each source on the network does wrong</source>
        <translation>was jede Quelle im Netzwerk falsch macht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save as Bitmap...</source>
        <translation>Als Bild speichern...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>saves the screen to a bitmap file (%1/%2.bmp)</source>
        <translation>speichert das Bild in eine Bilddatei (%1/%2.bmp)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>checks if a newer software version is available online</source>
        <translation>prüft, ob online eine neuere Softwareversion verfügbar ist</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Dmx Size X +</source>
        <translation>DMX-Größe X +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>increment the dmx size in X</source>
        <translation>vergrößert die DMX-Größe in X</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Dmx Size X -</source>
        <translation>DMX-Größe X -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>decrement the dmx size in X</source>
        <translation>verkleinert die DMX-Größe in X</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dmx Size Y +</source>
        <translation>DMX-Größe Y +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>increment the dmx size in Y</source>
        <translation>vergrößert die DMX-Größe in Y</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Dmx Size Y -</source>
        <translation>DMX-Größe Y -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>decrement the dmx size in Y</source>
        <translation>verkleinert die DMX-Größe in Y</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help...</source>
        <translation>Hilfe...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>opens the Help</source>
        <translation>öffnet die Hilfe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About %1...</source>
        <translation>Über %1...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>opens the About window</source>
        <translation>öffnet das Fenster „Über“</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About Qt...</source>
        <translation>Über Qt...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>opens the About Qt window</source>
        <translation>öffnet das Fenster „Über Qt“</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="-2"/>
        <location line="+3"/>
        <source>exits this software</source>
        <translation>beendet dieses Programm</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Load Presets	P</source>
        <translation>Voreinstellungen laden	P</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Self Test	T</source>
        <translation>Selbsttest	T</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Dmx Size	X	Y</source>
        <translation>DMX-Größe	X	Y</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewcapture.cpp" line="+36"/>
        <source>Save Bitmap as</source>
        <translation>Bild speichern unter</translation>
    </message>
    <message>
        <location filename="../../app/tessaview.cpp" line="+120"/>
        <source>&lt;center&gt;A new version %1 is available!&lt;/b&gt;&lt;br&gt;Download the update here :&lt;br&gt;%2&lt;/center&gt;</source>
        <translation>&lt;center&gt;Eine neue Version %1 ist verfügbar!&lt;/b&gt;&lt;br&gt;Die Aktualisierung gibt es hier:&lt;br&gt;%2&lt;/center&gt;</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewslots.cpp" line="+161"/>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;b&gt;Help&lt;/b&gt;&lt;br&gt;Please use the online help on the website:&lt;br&gt;%1</source>
        <translation>&lt;b&gt;Hilfe&lt;/b&gt;&lt;br&gt;Bitte nutzen Sie die Online-Hilfe auf der Webseite:&lt;br&gt;%1</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewactions.cpp" line="-125"/>
        <source>Record Network...</source>
        <translation>Netzwerk aufzeichnen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>records what arrives on the Art-Net and sACN ports into a capture file in the pictures folder</source>
        <translation>zeichnet auf, was an den Art-Net- und sACN-Ports ankommt, in eine Mitschnittdatei im Bilderordner</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Replay Capture...</source>
        <translation>Mitschnitt abspielen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>shows a recorded capture instead of the network</source>
        <translation>zeigt einen aufgezeichneten Mitschnitt statt des Netzwerks</translation>
    </message>
    <message>
        <location filename="../../app/tessaviewrecording.cpp" line="+28"/>
        <source>Replay Capture</source>
        <translation>Mitschnitt abspielen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packet captures (*.pcap *.pcapng *.cap);;All files (*)</source>
        <translation>Paketmitschnitte (*.pcap *.pcapng *.cap);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Tessaview</source>
        <translation>Tessaview</translation>
    </message>
</context>
</TS>
