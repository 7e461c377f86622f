// The Paint Program's page: opening a picture (a file chooser, or a file
// dropped on the canvas), saving it (Ctrl+S or the Download button, which
// download the PNG), keeping unsaved work in the browser's storage when the
// page is hidden or closed and offering it when the page is opened again,
// and the title, which is the program's caption. The program takes the
// requests between passes (paint/detail/page_web.cpp).
(function () {
  var bar = document.getElementById('bar');
  var canvas = document.getElementById('canvas');

  function ask(request) { Module['easelPaintRequest'] = request; }

  // Says on the page's bar what went wrong, and on the console.
  function tell(text) {
    document.getElementById('status').textContent = text;
    console.warn(text);
  }

  // Hands a picture file to the program through its file system. The
  // browser reads the file only now, and it may have gone meanwhile.
  function openPicture(file) {
    if (!file) return;
    file.arrayBuffer().then(function (bytes) {
      FS.mkdirTree('/pictures');
      var path = '/pictures/' + file.name.replace(/\//g, '_');
      FS.writeFile(path, new Uint8Array(bytes));
      ask({open: path});
    }, function (error) {
      tell('paint: cannot read ' + file.name + ': ' + error.message);
    });
  }

  Module['easelPaintDownload'] = function (path) {
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([FS.readFile(path)], {type: 'image/png'}));
    link.download = path.split('/').pop();
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  };

  var chooser = document.createElement('input');
  chooser.type = 'file';
  chooser.accept = 'image/png,image/jpeg,image/gif,image/bmp';
  chooser.hidden = true;
  chooser.id = 'open-file';
  chooser.addEventListener('change', function () { openPicture(chooser.files[0]); chooser.value = ''; });

  function button(label, id, action) {
    var b = document.createElement('button');
    b.textContent = label;
    b.id = id;
    b.addEventListener('click', function () { action(); canvas.focus(); });
    bar.insertBefore(b, bar.firstChild);
    return b;
  }
  button('Download PNG', 'download', function () { ask({save: true}); });
  button('Open picture…', 'open', function () { chooser.click(); });
  bar.appendChild(chooser);

  // Unsaved work, kept in IndexedDB: one record per page, under the time the
  // page was opened ({when, name, width, height, rgba}); a page opened keeps
  // the newest five. It is written every few seconds while it changes and when the page
  // is hidden or closed, and removed once saved. Module.easelPaintKept is
  // the picture's version last written. The newest record of an
  // earlier page is offered on the bar; Restore opens it as unsaved work.
  var keptStore = 'work', keptRecords = 5, keepInterval = 2000;
  var thisPage = Date.now();
  var keptVersion = null;  // the picture's version this page kept; null: none
  var database = null;
  var opening = indexedDB.open('easel-paint', 1);
  opening.onupgradeneeded = function () { opening.result.createObjectStore(keptStore); };
  opening.onsuccess = function () {
    database = opening.result;
    var work = store('readwrite');
    work.getAllKeys().onsuccess = function (event) {
      var keys = event.target.result;
      for (var i = 0; i < keys.length - keptRecords; ++i) work.delete(keys[i]);
    };
    offerKeptWork();
  };

  function store(mode) { return database.transaction(keptStore, mode).objectStore(keptStore); }

  // The picture's pixels as RGBA bytes, read from the program's memory.
  function pictureRgba(picture) {
    var words = HEAPU32.subarray(picture.pixels >> 2, (picture.pixels >> 2) + picture.width * picture.height);
    var rgba = new Uint8Array(words.length * 4);
    for (var i = 0; i < words.length; ++i) {
      var word = words[i];
      rgba[4 * i] = (word >>> 16) & 255;
      rgba[4 * i + 1] = (word >>> 8) & 255;
      rgba[4 * i + 2] = word & 255;
      rgba[4 * i + 3] = word >>> 24;
    }
    return rgba;
  }

  function keepWork(finalKeep) {
    var picture = Module['easelPaintPicture'];
    if (!database || !picture) return;
    if (!Module['easelPaintUnsaved']) {
      if (keptVersion !== null) store('readwrite').delete(thisPage);
      keptVersion = null;
      return;
    }
    if (picture.version === keptVersion) return;
    var work = store('readwrite');
    work.put({when: Date.now(), name: Module['easelPaintFile'] || '', width: picture.width,
              height: picture.height, rgba: pictureRgba(picture)}, thisPage);
    work.transaction.oncomplete = function () { Module['easelPaintKept'] = picture.version; };
    // Committed now: a page that is going away has no later turn to commit
    // in (even so, the browser may drop the write of a page going away).
    if (finalKeep && work.transaction.commit) work.transaction.commit();
    keptVersion = picture.version;
  }
  setInterval(keepWork, keepInterval);
  window.addEventListener('pagehide', function () { keepWork(true); });
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') keepWork(true);
  });

  // Writes the kept pixels as a PNG into the program's file system and asks
  // the program to open it as unsaved work with its file's name.
  function restore(record) {
    var picture = new OffscreenCanvas(record.width, record.height);
    var rgba = new Uint8ClampedArray(record.rgba.buffer, record.rgba.byteOffset, record.rgba.length);
    picture.getContext('2d').putImageData(new ImageData(rgba, record.width, record.height), 0, 0);
    return picture.convertToBlob({type: 'image/png'}).then(function (blob) {
      return blob.arrayBuffer();
    }).then(function (bytes) {
      FS.mkdirTree('/kept');
      FS.writeFile('/kept/work.png', new Uint8Array(bytes));
      ask({keep: '/kept/work.png', name: record.name});
    });
  }

  // Offers the newest work an earlier page kept: Restore opens it, Discard
  // forgets it.
  function offerKeptWork() {
    store('readonly').openCursor(IDBKeyRange.upperBound(thisPage, true), 'prev').onsuccess = function (event) {
      var cursor = event.target.result;
      if (!cursor) return;
      var key = cursor.key, record = cursor.value;
      var offer = document.createElement('span');
      offer.id = 'kept-work';
      var name = record.name ? record.name.split('/').pop() + ', ' : '';
      offer.textContent = ' Unsaved work from ' + new Date(record.when).toLocaleString() + ' was kept (' +
                          name + record.width + ' x ' + record.height + '): ';
      function answer(label, id, action) {
        var b = document.createElement('button');
        b.textContent = label;
        b.id = id;
        b.addEventListener('click', function () {
          offer.remove();
          action();
          canvas.focus();
        });
        offer.appendChild(b);
      }
      answer('Restore', 'kept-restore', function () {
        restore(record).then(function () { store('readwrite').delete(key); }, function (error) {
          tell('paint: cannot restore the kept work: ' + error.message);
        });
      });
      answer('Discard', 'kept-discard', function () { store('readwrite').delete(key); });
      bar.appendChild(offer);
    };
  }

  canvas.addEventListener('dragover', function (event) { event.preventDefault(); });
  canvas.addEventListener('drop', function (event) {
    event.preventDefault();
    openPicture(event.dataTransfer.files[0]);
  });
  // Ctrl+S saves the picture, not the page.
  document.addEventListener('keydown', function (event) {
    if ((event.ctrlKey || event.metaKey) && !event.shiftKey && (event.key === 's' || event.key === 'S')) {
      event.preventDefault();
      event.stopImmediatePropagation();
      ask({save: true});
    }
  }, true);
})();
