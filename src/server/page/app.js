// The counting page. Every confirmed entry is first written to this device's
// queue (localStorage) and then sent; the queue survives a closed page, a locked
// phone and a dropped connection, and each entry carries its own id so that the
// server counts a resent entry once.
"use strict";
(function () {
  const $ = (id) => document.getElementById(id);
  const store = {
    get(key, fallback) {
      try { const v = localStorage.getItem("sc." + key); return v === null ? fallback : JSON.parse(v); }
      catch (e) { return fallback; }
    },
    set(key, value) { localStorage.setItem("sc." + key, JSON.stringify(value)); },
    drop(key) { localStorage.removeItem("sc." + key); },
  };
  const state = {
    lang: store.get("lang", (navigator.language || "").toLowerCase().startsWith("en") ? "en" : "zh_CN"),
    session: store.get("session", null),   // {token, user}
    ctx: store.get("ctx", null),           // {process, processText, stock, stockText, place, placeText}
    queue: store.get("queue", []),         // entries not yet answered by the server
    refused: store.get("refused", []),     // entries the server refused when they were sent
    device: store.get("device", null),
    current: null,                         // {code, rows, chosen, offline}
    online: navigator.onLine,
    flushing: false,
    serverEntries: [], total: 0, count: 0,
    stocks: [],
  };
  if (!state.device) { state.device = "hh-" + randomId().slice(0, 12); store.set("device", state.device); }

  function randomId() {
    const bytes = new Uint8Array(16);
    crypto.getRandomValues(bytes);
    return Array.from(bytes, (b) => b.toString(16).padStart(2, "0")).join("");
  }
  function t(key, values) {
    let s = (TEXTS[state.lang] || TEXTS.zh_CN)[key] || TEXTS.zh_CN[key] || key;
    for (const [k, v] of Object.entries(values || {})) s = s.split("{" + k + "}").join(v);
    return s;
  }
  function applyLanguage() {
    document.documentElement.lang = state.lang === "en" ? "en" : state.lang === "zh_TW" ? "zh-TW" : "zh-CN";
    document.querySelectorAll("[data-t]").forEach((el) => { el.textContent = t(el.dataset.t); });
    document.querySelectorAll("[data-t-title]").forEach((el) => { el.title = t(el.dataset.tTitle); });
    document.querySelectorAll(".langs button").forEach((b) => b.classList.toggle("on", b.dataset.lang === state.lang));
    $("codeInput").placeholder = t("codeHint");
    $("qtyInput").placeholder = t("qtyHint");
    renderStatus();
    renderEntries();
    if (state.current) renderItem();
  }

  // ---- feedback -------------------------------------------------------------
  let audio = null;
  function beep(ok) {
    try {
      audio = audio || new (window.AudioContext || window.webkitAudioContext)();
      const o = audio.createOscillator(), g = audio.createGain();
      o.frequency.value = ok ? 1200 : 300;
      g.gain.value = 0.15;
      o.connect(g); g.connect(audio.destination);
      o.start(); o.stop(audio.currentTime + (ok ? 0.08 : 0.35));
    } catch (e) { /* no sound on this device */ }
  }
  function say(kind, text) {
    const m = $("message");
    m.textContent = text;
    m.className = "message " + kind;
    if (kind === "error") {
      if (navigator.vibrate) navigator.vibrate([120, 80, 120]);
      beep(false);
    } else if (kind === "ok") {
      beep(true);
    }
  }
  function refusalText(data, status) {
    const code = data && data.code;
    let s = code && t(code) !== code ? t(code) : t("serverError");
    if (data && data.error && ["refused", "badRequest", "notInCount", "unknownCode", "gone"].includes(code))
      s += "：" + data.error;
    if (!code && status) s += " (" + status + ")";
    return s;
  }

  // ---- the server -----------------------------------------------------------
  async function api(method, path, body) {
    const headers = {};
    if (state.session) headers.Authorization = "Bearer " + state.session.token;
    if (body !== undefined) headers["Content-Type"] = "application/json";
    let res;
    try {
      res = await fetch(path, { method, headers, body: body === undefined ? undefined : JSON.stringify(body),
                                cache: "no-store", credentials: "omit" });
    } catch (e) {
      setOnline(false);
      return { ok: false, network: true, status: 0, data: null };
    }
    setOnline(true);
    let data = null;
    try { data = await res.json(); } catch (e) { data = null; }
    if (res.status === 401 && path !== "/api/login") loggedOut();
    return { ok: res.ok, status: res.status, data };
  }
  function setOnline(on) {
    if (state.online !== on) { state.online = on; renderStatus(); }
  }

  // ---- views ----------------------------------------------------------------
  function show(view) {
    for (const v of ["loginView", "setupView", "countView"]) $(v).classList.toggle("hidden", v !== view);
  }
  function renderStatus() {
    $("who").textContent = state.session ? state.session.user.name : t("title");
    $("net").textContent = state.online ? t("online") : t("offline");
    $("net").classList.toggle("off", !state.online);
    const n = state.queue.length;
    $("waiting").textContent = t("waiting", { n });
    $("waiting").classList.toggle("hidden", n === 0);
  }
  function loggedOut() {
    state.session = null;
    store.drop("session");
    renderStatus();
    show("loginView");
    say("warn", t("loggedOut"));
  }

  async function login() {
    const user = $("loginUser").value.trim();
    const r = await api("POST", "/api/login", { user, password: $("loginPassword").value, device: state.device });
    $("loginPassword").value = "";
    if (!r.ok) {
      say("error", r.network ? t("offline") : refusalText(r.data, r.status));
      return;
    }
    state.session = { token: r.data.token, user: r.data.user };
    store.set("session", state.session);
    renderStatus();
    $("message").classList.add("hidden");
    flush();
    if (state.ctx) startCounting(); else setup();
  }

  async function setup() {
    show("setupView");
    const r = await api("GET", "/api/processes");
    const select = $("processSelect");
    select.innerHTML = "";
    if (!r.ok) { say("error", refusalText(r.data, r.status)); return; }
    if (r.data.length === 0) say("warn", t("noProcess"));
    for (const p of r.data) select.add(new Option(p.number + (p.remark ? " " + p.remark : "") + " (" + p.date + ")", p.id));
    if (state.ctx) select.value = state.ctx.process;
    await loadStocks();
  }
  async function loadStocks() {
    const process = $("processSelect").value;
    $("stockSelect").innerHTML = "";
    if (!process) return;
    const r = await api("GET", "/api/stocks?process=" + encodeURIComponent(process));
    if (!r.ok) { say("error", refusalText(r.data, r.status)); return; }
    state.stocks = r.data;
    for (const s of r.data) $("stockSelect").add(new Option(s.number + " " + s.name, s.id));
    if (state.ctx && String(state.ctx.process) === process) $("stockSelect").value = state.ctx.stock;
    loadPlaces();
  }
  function loadPlaces() {
    const stock = state.stocks.find((s) => String(s.id) === $("stockSelect").value);
    const select = $("placeSelect");
    select.innerHTML = "";
    const places = stock ? stock.places : [];
    $("placeLabel").classList.toggle("hidden", places.length === 0);
    select.add(new Option(t("allPlaces"), ""));
    for (const p of places) select.add(new Option(p.number + " " + p.name, p.id));
    if (state.ctx && state.ctx.place) select.value = state.ctx.place;
  }
  function chooseContext() {
    const ps = $("processSelect"), ss = $("stockSelect"), pl = $("placeSelect");
    if (!ps.value || !ss.value) return;
    state.ctx = {
      process: Number(ps.value), processText: ps.options[ps.selectedIndex].text,
      stock: Number(ss.value), stockText: ss.options[ss.selectedIndex].text,
      place: pl.value ? Number(pl.value) : 0, placeText: pl.value ? pl.options[pl.selectedIndex].text : "",
    };
    store.set("ctx", state.ctx);
    startCounting();
  }
  function startCounting() {
    show("countView");
    const c = state.ctx;
    $("where").textContent = c.processText + " · " + c.stockText + (c.placeText ? " · " + c.placeText : "");
    const draft = store.get("draft", null);
    if (draft && draft.qty) {
      state.current = draft.current || null;
      $("qtyInput").value = draft.qty;
      if (state.current) renderItem();
      say("warn", t("pendingQty", { qty: draft.qty }));
    }
    refreshEntries();
    $("codeInput").focus();
  }

  // ---- looking up a code ----------------------------------------------------
  function pendingQty() {
    return $("qtyInput").value.trim();
  }
  async function lookUp(code) {
    code = code.trim();
    $("codeInput").value = "";
    if (!code) return;
    if (pendingQty() && !$("addMode").checked) {
      say("warn", t("pendingQty", { qty: pendingQty() }));
      $("qtyInput").focus();
      return;
    }
    const c = state.ctx;
    let path = "/api/items?process=" + c.process + "&barcode=" + encodeURIComponent(code) + "&stock=" + c.stock;
    if (c.place) path += "&place=" + c.place;
    const r = await api("GET", path);
    if (r.network) {
      // counted all the same: the server checks the code when the entry arrives
      state.current = { code, rows: [], chosen: -1, offline: true };
      renderItem();
      say("warn", t("offlineCode", { code }));
      afterLookUp();
      return;
    }
    if (!r.ok) {
      state.current = null;
      renderItem();
      say("error", refusalText(r.data, r.status));
      $("codeInput").focus();
      return;
    }
    state.current = { code, rows: r.data.rows, chosen: r.data.rows.length === 1 ? 0 : -1, offline: false };
    renderItem();
    $("message").classList.add("hidden");
    if (state.current.chosen < 0) say("warn", t("ambiguous"));
    afterLookUp();
  }
  function afterLookUp() {
    if ($("addMode").checked && (state.current.chosen >= 0 || state.current.offline)) {
      confirmEntry($("perScan").value.trim() || "1");
      return;
    }
    $("qtyInput").focus();
  }
  function rowText(row) {
    const parts = [];
    if (row.place) parts.push(row.place.name);
    parts.push(row.batch ? t("batch") + " " + row.batch : t("noBatch"));
    if (row.kfDate) parts.push(t("kfDate") + " " + row.kfDate);
    if (row.mto) parts.push(row.mto);
    if (row.aux) parts.push(row.aux.name);
    parts.push(t("counted") + " " + (row.counted === null ? "—" : row.counted) + " " + row.unit);
    return parts.join(" · ");
  }
  function renderItem() {
    const cur = state.current;
    $("itemCard").classList.toggle("hidden", !cur);
    $("rowChoices").innerHTML = "";
    if (!cur) { $("unitLabel").textContent = ""; return; }
    if (cur.offline) {
      $("itemTitle").textContent = cur.code;
      $("itemInfo").textContent = t("offlineCode", { code: cur.code });
      $("unitLabel").textContent = "";
      return;
    }
    const first = cur.rows[0];
    $("itemTitle").textContent = first.item.number + "  " + first.item.name;
    $("itemInfo").textContent = (first.model ? t("model") + " " + first.model + " · " : "") + t("unit") + " " + first.unit;
    cur.rows.forEach((row, i) => {
      const b = document.createElement("button");
      b.type = "button";
      b.textContent = rowText(row);
      b.classList.toggle("on", i === cur.chosen);
      b.addEventListener("click", () => { cur.chosen = i; renderItem(); saveDraft(); $("qtyInput").focus(); });
      $("rowChoices").appendChild(b);
    });
    $("unitLabel").textContent = cur.chosen >= 0 ? cur.rows[cur.chosen].unit : first.unit;
  }
  function saveDraft() {
    const qty = pendingQty();
    if (qty) store.set("draft", { qty, current: state.current }); else store.drop("draft");
  }

  // ---- entries --------------------------------------------------------------
  function confirmEntry(qtyText) {
    const cur = state.current;
    if (!cur) { say("error", t("noItem")); $("codeInput").focus(); return; }
    if (!/^\d{1,10}(\.\d{1,10})?$/.test(qtyText)) { say("error", t("badQty")); $("qtyInput").focus(); return; }
    if (!cur.offline && cur.chosen < 0) { say("error", t("pickRow")); return; }
    const add = $("addMode").checked;
    const c = state.ctx;
    const body = { process: c.process, barcode: cur.code, stock: c.stock, place: c.place || 0, batch: "",
                   qty: Number(qtyText), mode: add ? "add" : "set", clientEntryId: randomId() };
    let label = cur.code;
    if (!cur.offline) {
      const row = cur.rows[cur.chosen];
      Object.assign(body, { stock: row.stock.id, place: row.place ? row.place.id : 0, batch: row.batch,
                            mto: row.mto, kfDate: row.kfDate, kfPeriod: row.kfPeriod,
                            aux: row.aux ? row.aux.id : 0, unit: row.unitId });
      label = row.item.number + " " + row.item.name;
    }
    state.queue.push({ body, label, qtyText, time: Date.now() });
    store.set("queue", state.queue); // stored before anything else can fail
    $("qtyInput").value = "";
    store.drop("draft");
    if (!add) { state.current = null; renderItem(); }
    renderStatus();
    renderEntries();
    say("warn", t("queued", { item: label, qty: (add ? "+" : "") + qtyText }));
    flush();
    $("codeInput").focus();
  }

  async function flush() {
    if (state.flushing || !state.session) return;
    state.flushing = true;
    try {
      while (state.queue.length > 0) {
        const e = state.queue[0];
        const r = await api("POST", "/api/entries", e.body);
        if (r.network || r.status === 401 || r.status === 429 || r.status >= 500) break; // kept; sent again later
        state.queue.shift();
        store.set("queue", state.queue);
        if (r.ok) {
          const add = e.body.mode === "add";
          say("ok", add ? t("added", { item: e.label, qty: e.qtyText, counted: r.data.counted })
                        : t("saved", { item: e.label, qty: e.qtyText }));
        } else {
          state.refused.unshift({ label: e.label, qtyText: e.qtyText, why: refusalText(r.data, r.status) });
          state.refused = state.refused.slice(0, 20);
          store.set("refused", state.refused);
          say("error", t("sentLater", { item: e.label, why: refusalText(r.data, r.status) }));
        }
        renderStatus();
      }
    } finally {
      state.flushing = false;
      renderStatus();
      refreshEntries();
    }
  }

  async function refreshEntries() {
    if (!state.ctx || !state.session) return;
    const r = await api("GET", "/api/entries?process=" + state.ctx.process + "&limit=20");
    if (r.ok) {
      state.serverEntries = r.data.entries;
      state.total = r.data.total;
      state.count = r.data.count;
    }
    renderEntries();
  }
  function renderEntries() {
    const list = $("entryList");
    if (!list) return;
    list.innerHTML = "";
    const item = (cls, text, qty) => {
      const li = document.createElement("li");
      if (cls) li.className = cls;
      const a = document.createElement("span"); a.textContent = text;
      const b = document.createElement("span"); b.className = "q"; b.textContent = qty;
      li.append(a, b);
      list.appendChild(li);
    };
    for (const e of state.queue.slice().reverse())
      item("pending", e.label, (e.body.mode === "add" ? "+" : "= ") + e.qtyText);
    for (const e of state.refused.slice(0, 3)) item("refused", e.label + " — " + e.why, e.qtyText);
    for (const e of state.serverEntries) {
      const q = e.kind === "add" ? "+" + e.qty : e.kind === "undo" ? String(e.qty) : "= " + e.qty;
      item(e.undone ? "undone" : "", e.item + " " + e.name + (e.place ? " · " + e.place : "") +
           (e.batch ? " · " + e.batch : ""), q + " " + e.unit);
    }
    let pending = 0;
    for (const e of state.queue) pending += Number(e.qtyText);
    $("total").textContent = String(Math.round((state.total + pending) * 1e6) / 1e6);
    $("entryCount").textContent = String(state.count + state.queue.length);
  }

  async function undo() {
    const last = state.queue[state.queue.length - 1];
    if (last && last.body.mode === "add" && !state.flushing) {
      state.queue.pop();
      store.set("queue", state.queue);
      renderStatus(); renderEntries();
      say("ok", t("undoneLocal"));
      return;
    }
    const r = await api("POST", "/api/entries/undo", { process: state.ctx.process });
    if (r.ok) say("ok", t("undone"));
    else say("error", r.network ? t("offline") : refusalText(r.data, r.status));
    refreshEntries();
  }

  // ---- camera ---------------------------------------------------------------
  let stream = null, scanTimer = null;
  async function openCamera() {
    try {
      const detector = new BarcodeDetector();
      stream = await navigator.mediaDevices.getUserMedia({ video: { facingMode: "environment" } });
      const video = $("cameraVideo");
      video.srcObject = stream;
      await video.play();
      $("cameraView").classList.remove("hidden");
      scanTimer = setInterval(async () => {
        const codes = await detector.detect(video).catch(() => []);
        if (codes.length > 0) { closeCamera(); lookUp(codes[0].rawValue); }
      }, 250);
    } catch (e) {
      closeCamera();
      say("error", t("cameraFailed"));
    }
  }
  function closeCamera() {
    clearInterval(scanTimer);
    if (stream) stream.getTracks().forEach((tr) => tr.stop());
    stream = null;
    $("cameraView").classList.add("hidden");
  }

  // ---- wiring ---------------------------------------------------------------
  document.querySelectorAll(".langs button").forEach((b) => b.addEventListener("click", () => {
    state.lang = b.dataset.lang;
    store.set("lang", state.lang);
    applyLanguage();
  }));
  $("loginButton").addEventListener("click", login);
  $("loginPassword").addEventListener("keydown", (e) => { if (e.key === "Enter") login(); });
  $("processSelect").addEventListener("change", loadStocks);
  $("stockSelect").addEventListener("change", loadPlaces);
  $("startButton").addEventListener("click", chooseContext);
  $("logoutButton").addEventListener("click", async () => {
    await api("POST", "/api/logout", {});
    state.session = null; store.drop("session"); renderStatus(); show("loginView");
  });
  $("codeInput").addEventListener("keydown", (e) => {
    if (e.key === "Enter") { e.preventDefault(); lookUp($("codeInput").value); }
  });
  $("qtyInput").addEventListener("keydown", (e) => {
    if (e.key === "Enter") { e.preventDefault(); confirmEntry(pendingQty()); }
  });
  $("qtyInput").addEventListener("input", saveDraft);
  // a quantity never changes by the wheel or a swipe over the field
  for (const id of ["qtyInput", "perScan"]) $(id).addEventListener("wheel", (e) => e.preventDefault(), { passive: false });
  $("confirmButton").addEventListener("click", () => confirmEntry(pendingQty()));
  $("clearButton").addEventListener("click", () => {
    $("qtyInput").value = ""; store.drop("draft"); $("message").classList.add("hidden"); $("codeInput").focus();
  });
  $("undoButton").addEventListener("click", undo);
  $("changeButton").addEventListener("click", () => {
    if (pendingQty()) { say("warn", t("pendingQty", { qty: pendingQty() })); return; }
    setup();
  });
  $("cameraButton").classList.toggle("hidden", !("BarcodeDetector" in window));
  $("cameraButton").addEventListener("click", openCamera);
  $("cameraClose").addEventListener("click", closeCamera);
  // a scanner types into whatever has focus: keys typed outside a field go to the code box
  document.addEventListener("keydown", (e) => {
    const tag = document.activeElement ? document.activeElement.tagName : "";
    if ($("countView").classList.contains("hidden") || tag === "INPUT" || tag === "SELECT") return;
    if (e.key.length === 1) $("codeInput").focus();
  });
  window.addEventListener("online", () => { setOnline(true); flush(); });
  window.addEventListener("offline", () => setOnline(false));
  window.addEventListener("beforeunload", (e) => {
    if (pendingQty()) { e.preventDefault(); e.returnValue = t("leaveWarning"); }
  });
  setInterval(() => { if (state.queue.length > 0) flush(); }, 5000);

  applyLanguage();
  if (!state.session) show("loginView");
  else if (state.ctx) { startCounting(); flush(); }
  else setup();
})();
